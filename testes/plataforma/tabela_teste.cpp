#include <gtest/gtest.h>

#include <string>

#include "plataforma/tabela.h"

namespace orvel {
namespace {

TEST(tabela, limites_inclusivos_e_indices_fora_sao_falha) {
    static tabela<int, 50, 8, 95> t;
    t(50, 8, 95) = 7;
    t(0, 0, 0) = 1;
    EXPECT_EQ(t(50, 8, 95), 7);
    EXPECT_EQ(t.sem_verificar(50, 8, 95), 7);
    EXPECT_EQ(t(0, 0, 0), 1);
    EXPECT_THROW(t(51, 0, 0), falha);
    EXPECT_THROW(t(0, 9, 0), falha);
    EXPECT_THROW(t(0, 0, 96), falha);
    EXPECT_THROW(t(-1, 0, 0), falha);
    try {
        t(0, 0, 200);
    } catch (const falha& f) {
        EXPECT_EQ(f.tipo(), tipo_de_falha::subscrito_fora_do_intervalo);
    }
    // Posições distintas não se sobrepõem.
    t(1, 2, 3) = 11;
    t(1, 3, 2) = 12;
    EXPECT_EQ(t(1, 2, 3), 11);
}

TEST(tabela, dinamica_dimensiona_vazia_e_verifica) {
    tabela_dinamica<float> d;
    EXPECT_THROW(d(0, 0), falha);
    d.dimensionar(150, 8 * 120 + 220 + 600);
    d(150, 1780) = 2.5f;
    EXPECT_EQ(d(150, 1780), 2.5f);
    EXPECT_EQ(d.linha(150)[1780], 2.5f);
    EXPECT_THROW(d(151, 0), falha);
    EXPECT_THROW(d(0, 1781), falha);
    d.dimensionar(3, 10);
    EXPECT_EQ(d(3, 10), 0.0f);
    EXPECT_THROW(d.dimensionar(-1, 5), falha);
}

}  // namespace
}  // namespace orvel
