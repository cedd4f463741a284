#include <gtest/gtest.h>

#include <stdexcept>

#include "plataforma/falha.h"
#include "comum/servicos_de_teste.h"
#include "plataforma/tipos.h"

namespace orvel {
namespace {

// Um auxiliar sem código: a falha dele é relatada com o código de quem o chamou.
void auxiliar_sem_codigo(int& passos) {
    ++passos;
    para_byte(256);
    ++passos;
}

bool procedimento_com_codigo(int& passos) {
    return com_codigo("Erro 146", [&] {
        auxiliar_sem_codigo(passos);
        ++passos;
    });
}

TEST(relatar_erro, caixa_com_o_codigo_a_descricao_e_o_ponteiro_da_tela_restaurado) {
    servicos_de_teste s;
    s.definir_ponteiro_da_tela(ponteiro_ampulheta);
    registrar_falha_corrente(falha(tipo_de_falha::divisao_por_zero));
    relatar_erro("Erro 151");
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 151");
    EXPECT_EQ(s.mensagens[0].texto, "Divisão por zero\n");
    EXPECT_EQ(s.mensagens[0].estilo, estilo_ok | icone_exclamacao);
    EXPECT_EQ(s.mensagens[0].ponteiro_da_tela, ponteiro_padrao);  // restaurado antes da caixa
    EXPECT_EQ(s.ponteiro_da_tela(), ponteiro_padrao);
    // O relator não limpa a falha corrente.
    EXPECT_EQ(falha_corrente().tipo(), tipo_de_falha::divisao_por_zero);
}

TEST(relatar_erro, falha_num_auxiliar_sai_com_o_codigo_do_chamador_e_para_ali) {
    servicos_de_teste s;
    int passos = 0;
    EXPECT_FALSE(procedimento_com_codigo(passos));
    EXPECT_EQ(passos, 1);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 146");
    EXPECT_EQ(s.mensagens[0].texto, "Estouro\n");
}

TEST(relatar_erro, sem_falha_nada_e_mostrado) {
    servicos_de_teste s;
    EXPECT_TRUE(com_codigo("Erro 1", [] {}));
    EXPECT_TRUE(s.mensagens.empty());
}

TEST(relatar_erro, qualquer_excecao_vira_a_falha_do_procedimento) {
    servicos_de_teste s;
    EXPECT_FALSE(com_codigo("Erro 130", [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(com_codigo("Erro 131", [] { throw std::runtime_error("disco cheio"); }));
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[0].texto, "Memória insuficiente\n");
    EXPECT_EQ(s.mensagens[1].texto, "disco cheio\n");
    EXPECT_EQ(s.mensagens[1].titulo, "Erro 131");
}

TEST(relatar_erro, o_relator_nao_deixa_escapar_a_falha_de_um_servico) {
    struct servicos_que_falham : servicos_de_teste {
        int caixa_de_mensagem(const std::string&, int, const std::string&) override {
            throw std::runtime_error("sem tela");
        }
    } s;
    EXPECT_FALSE(com_codigo("Erro 152", [] { para_integer(1e9); }));
}

}  // namespace
}  // namespace orvel
