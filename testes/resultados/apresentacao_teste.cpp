#include <gtest/gtest.h>

#include <algorithm>

#include "editor/janelas.h"
#include "editor/tela_principal.h"
#include "modelo/valores_da_animacao.h"
#include "comum/servicos_de_teste.h"
#include "resultados/apresentacao.h"

namespace orvel {
namespace {

bool carregada(const std::string& nome) {
    const auto& js = janelas_carregadas();
    return std::any_of(js.begin(), js.end(), [&](formulario* f) { return f->nome() == nome; });
}

class apresentacao : public ::testing::Test {
protected:
    void SetUp() override {
        destruir_todas_as_janelas();
        tela() = dados_da_tela{};
        apresentacao_encerrada = false;
        s.segundos = 100.25;
        a = &apresentacao_unica();
    }
    void TearDown() override {
        destruir_todas_as_janelas();
        apresentacao_encerrada = false;
    }

    // Um evento vindo da tela: o que a janela descarregar só é destruído no fim.
    void evento(const std::function<void(janela_apresentacao&)>& f) {
        despachar_evento(a, [&] { f(*a); });
        if (!carregada("frmApresentacao_orvel_versao2")) a = nullptr;
    }
    void tique(double t) {
        s.segundos = t;
        evento([](janela_apresentacao& j) { j.Timer1_Timer(); });
    }
    // Qual figura está à vista: as caixas visíveis e a figura da janela.
    std::string figuras() const {
        std::string r;
        if (a->pctOrvel_verde.Visible) r += "verde ";
        if (a->pctOrvel_amarelo.Visible) r += "amarelo ";
        if (a->pctOrvel_vermelho.Visible) r += "vermelho ";
        return r + "| " + a->Picture;
    }
    rotulo& versao() { return tela_principal_completa().LblVersao; }

    servicos_de_teste s;
    janela_apresentacao* a = nullptr;
};

TEST_F(apresentacao, carga_coloca_a_janela_e_marca_o_instante) {
    EXPECT_EQ(a->Left, 3135.0f);  // centrada pela largura de projeto
    EXPECT_EQ(a->Top, 2750.0f);   // (12000 - 5700) / 2 - 400
    EXPECT_EQ(a->Width, 7170.0f);
    EXPECT_EQ(a->Height, 7170.0f);
    EXPECT_EQ(a->MousePointer, ponteiro_seta_e_ampulheta);
    EXPECT_EQ(instante_da_apresentacao, 100.25f);
    EXPECT_EQ(a->Timer1.Interval, 10);
    EXPECT_FALSE(tela_principal_carregada());

    destruir_todas_as_janelas();
    tela().TwipsPerPixelX = 12.5f;  // os produtos são inteiros: 12,5 vira 12 e 13,5 vira 14
    tela().TwipsPerPixelY = 13.5f;
    a = &apresentacao_unica();
    EXPECT_EQ(a->Width, 5736.0f);
    EXPECT_EQ(a->Height, 6692.0f);
}

TEST_F(apresentacao, fases_por_instante_sem_tecla_nem_clique) {
    tique(100.5);
    // O primeiro tique carregou a janela principal (com a sua carga) e pôs a versão nela, sem
    // mostrá-la; a posição usou o tamanho de antes do texto.
    ASSERT_TRUE(tela_principal_carregada());
    EXPECT_EQ(frmBrowse().Caption, "ORVEL - Belmarco QRT");
    EXPECT_FALSE(tela_principal_completa().Visible);
    EXPECT_TRUE(versao().Visible);
    EXPECT_EQ(versao().Caption, "ORVEL  1.0");
    EXPECT_EQ(versao().FontSize, 12.0f);
    EXPECT_EQ(versao().BackColor, rgb(242, 242, 242));
    EXPECT_EQ(versao().Left, 12000.0f - 0 - 80);
    EXPECT_EQ(versao().Top, 12000.0f - 0 - 400);
    EXPECT_EQ(figuras(), "verde | semaforo_verde");

    tique(100.75);
    EXPECT_EQ(versao().Left, 12000.0f - versao().Width - 80);
    EXPECT_EQ(versao().Top, 12000.0f - versao().Height - 400);

    tique(101.25);  // exatamente s + 1: fica a figura do segundo anterior
    EXPECT_EQ(figuras(), "verde | semaforo_verde");
    tique(101.5);
    EXPECT_EQ(figuras(), "amarelo | semaforo_amarelo");
    tique(102.25);
    EXPECT_EQ(figuras(), "amarelo | semaforo_amarelo");
    tique(102.5);
    EXPECT_EQ(figuras(), "vermelho | semaforo_vermelho");
    tique(103.25);
    EXPECT_EQ(figuras(), "vermelho | semaforo_vermelho");
    tique(103.5);
    EXPECT_EQ(figuras(), "verde | semaforo_verde");
    tique(104.25);  // exatamente s + 4: ainda não acabou
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(apresentacao_encerrada);
    EXPECT_FALSE(tela_principal_completa().Visible);

    tique(104.26);
    EXPECT_EQ(a, nullptr);  // descarregada
    EXPECT_TRUE(apresentacao_encerrada);
    EXPECT_TRUE(tela_principal_completa().Visible);
    EXPECT_TRUE(tela_principal_completa().eh_a_ativa());
    EXPECT_FALSE(versao().Visible);
}

TEST_F(apresentacao, carga_da_principal_demorada_pula_fases_sem_esconder_a_figura_certa) {
    // A caixa visível mais de cima é a que aparece.
    auto por_cima = [this]() -> std::string {
        for (controle* c : a->controles())
            if (c->tipo() == tipo_de_controle::caixa_de_imagem && c->Visible) return c->nome();
        return "";
    };
    tique(102.5);  // o primeiro tique chegou já no terceiro segundo
    EXPECT_EQ(figuras(), "verde vermelho | semaforo_vermelho");
    EXPECT_EQ(por_cima(), "pctOrvel_vermelho");
    tique(103.5);
    EXPECT_EQ(por_cima(), "pctOrvel_verde");
}

TEST_F(apresentacao, tecla_esconde_e_deixa_a_versao_na_janela_principal) {
    tique(100.5);
    tique(101.5);
    tique(102.5);
    evento([](janela_apresentacao& j) { j.entregar_tecla(32); });
    ASSERT_NE(a, nullptr);  // só escondida
    EXPECT_FALSE(a->Visible);
    EXPECT_TRUE(apresentacao_encerrada);
    EXPECT_TRUE(tela_principal_completa().Visible);
    EXPECT_TRUE(versao().Visible);
    EXPECT_EQ(versao().Caption, "ORVEL  1.0");

    // Os tiques seguintes da janela escondida não mudam nada.
    const Single left = versao().Left;
    versao().Left = 1234;
    tique(106);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(versao().Visible);
    EXPECT_EQ(versao().Left, 1234.0f);
    EXPECT_EQ(figuras(), "vermelho | semaforo_vermelho");
    EXPECT_NE(left, 0.0f);
}

TEST_F(apresentacao, clique_descarrega_e_esconde_a_versao) {
    tique(100.5);
    evento([](janela_apresentacao& j) { j.Form_MouseUp(botao_direito, 0, 10, 10); });
    EXPECT_EQ(a, nullptr);
    EXPECT_TRUE(apresentacao_encerrada);
    EXPECT_TRUE(tela_principal_completa().Visible);
    EXPECT_FALSE(versao().Visible);
}

TEST_F(apresentacao, tecla_ou_clique_antes_do_primeiro_tique) {
    evento([](janela_apresentacao& j) { j.entregar_tecla(13); });
    EXPECT_TRUE(tela_principal_completa().Visible);
    EXPECT_EQ(versao().Caption, "");  // nem colocada nem escrita
    EXPECT_FALSE(versao().Visible);
    EXPECT_EQ(versao().Left, 0.0f);
    tique(100.5);
    EXPECT_EQ(versao().Caption, "");

    destruir_todas_as_janelas();
    apresentacao_encerrada = false;
    a = &apresentacao_unica();
    evento([](janela_apresentacao& j) { j.Form_MouseUp(botao_esquerdo, 0, 0, 0); });
    EXPECT_EQ(a, nullptr);
    EXPECT_TRUE(tela_principal_completa().Visible);
    EXPECT_FALSE(versao().Visible);
    EXPECT_EQ(versao().Caption, "");
}

// Fechar pela moldura não acaba a apresentação: só o tempo, uma tecla ou um clique.
TEST_F(apresentacao, pedido_de_fechar_da_moldura_e_recusado) {
    tique(100.5);
    evento([](janela_apresentacao& j) { EXPECT_FALSE(j.Unload(0)); });
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(apresentacao_encerrada);
    EXPECT_FALSE(frmTela_principal_versao2().Visible);
    tique(104.5);
    EXPECT_TRUE(apresentacao_encerrada);
    EXPECT_TRUE(frmTela_principal_versao2().Visible);
    EXPECT_FALSE(carregada("frmApresentacao_orvel_versao2"));
}

}  // namespace
}  // namespace orvel
