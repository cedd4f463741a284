#include <gtest/gtest.h>

#include "plataforma/textos.h"

namespace orvel {
namespace {

TEST(nomes, iguais_depois_de_aparados_e_em_maiusculas) {
    EXPECT_TRUE(nomes_iguais("são joão", "SÃO JOÃO"));
    EXPECT_TRUE(nomes_iguais("  Av. Brasil ", "AV. BRASIL"));
    EXPECT_TRUE(nomes_iguais("ação", "AÇÃO"));
    EXPECT_TRUE(nomes_iguais("ÿ", "Ÿ"));
    EXPECT_FALSE(nomes_iguais("A B", "AB"));
    EXPECT_FALSE(nomes_iguais("\tA", "A"));  // só o espaço é aparado
    EXPECT_TRUE(nomes_iguais("", "   "));
    EXPECT_EQ(maiusculas("÷é"), "÷É");
}

TEST(nomes, parte_do_nome_do_arquivo) {
    EXPECT_EQ(parte_do_nome_do_arquivo("/home/ana/rede.xml"), "rede.xml");
    EXPECT_EQ(parte_do_nome_do_arquivo("C:\\redes\\centro.xml"), "centro.xml");
    EXPECT_EQ(parte_do_nome_do_arquivo("rede.xml"), "rede.xml");
    EXPECT_EQ(parte_do_nome_do_arquivo("pasta/"), "");
}

}  // namespace
}  // namespace orvel
