#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogos/editor_de_link.h"
#include "dialogos/editor_de_no_de_teste.h"
#include "dialogos/nome_da_rede.h"
#include "dialogos/opcoes_da_rede.h"
#include "modelo/buffers_de_edicao.h"

namespace orvel {
namespace {

// "Cancelar", Esc e o fechamento da janela saem de qualquer diálogo na hora, sem gravar nada,
// mesmo com um número fora da faixa na caixa que tem o foco.
class sair_dos_dialogos : public teste::com_editor_de_no {
protected:
    // Um diálogo aberto com um número que não cabe numa caixa que ainda tem o foco.
    struct caso {
        const char* nome;
        std::function<formulario&()> abrir;
        std::function<caixa_de_texto&()> caixa;
        const char* texto;
        std::function<botao_de_comando&()> cancelar;
        std::function<void()> espera_nada_gravado;
    };

    std::vector<caso> casos() {
        return {
            {"link",
             [this]() -> formulario& {
                 link_selecionado = 1;
                 despachar_evento(&t(), [this] { t().editar_link_button_Click(); });
                 return editor_de_link_unico();
             },
             [] () -> caixa_de_texto& { return editor_de_link_unico().verde_de_seguranca_texto; }, "300",
             [] () -> botao_de_comando& { return editor_de_link_unico().cancelar_button; },
             [] {
                 EXPECT_EQ(verde_de_seguranca_dado(1), 5);
                 EXPECT_EQ(nome_do_link_dado(1), "L1");
             }},
            {"opções",
             [this]() -> formulario& {
                 auto& o = opcoes_da_rede_unica();
                 agir([&] { o.Show(); });
                 return o;
             },
             [] () -> caixa_de_texto& { return opcoes_da_rede_unica().peso_da_parada_texto; }, "99999",
             [] () -> botao_de_comando& { return opcoes_da_rede_unica().cancelar_button; },
             [] { EXPECT_EQ(peso_da_parada_imposto_dado, 30); }},
            {"nó",
             [this]() -> formulario& {
                 abrir(1);
                 return e();
             },
             [this]() -> caixa_de_texto& { return e().intervalo_escravo_texto; }, "300",
             [this]() -> botao_de_comando& { return e().cancelar_command; },
             [] {
                 EXPECT_EQ(intervalo_do_escravo_dado(1), 2);
                 EXPECT_EQ(nome_do_no_dado(1), "A");
             }},
            {"nome",
             [this]() -> formulario& {
                 auto& n = nome_da_rede_unico();
                 agir([&] { n.Show(); });
                 return n;
             },
             [] () -> caixa_de_texto& { return nome_da_rede_unico().nome_da_rede_texto; }, "outra",
             [] () -> botao_de_comando& { return nome_da_rede_unico().Command2; },
             [] { EXPECT_EQ(nome_da_rede_dado, "rede"); }},
        };
    }

    // Abre o diálogo do caso e digita o número na caixa, que fica com o foco.
    formulario& preparar(const caso& c) {
        formulario& f = c.abrir();
        EXPECT_TRUE(f.carregado());
        caixa_de_texto& caixa = c.caixa();
        agir([&] {
            caixa.SetFocus();
            caixa.Text = c.texto;
        });
        return f;
    }

    static bool carregada(const std::string& nome) {
        for (formulario* f : janelas_carregadas())
            if (f->nome() == nome) return true;
        return false;
    }

    void SetUp() override {
        com_editor_de_no::SetUp();
        gravar_no_valido(1);
        eh_no_escravo_dado(1) = true;
        nome_do_mestre_dado(1) = "B";
        intervalo_do_escravo_dado(1) = 2;
        intervalo_do_mestre_dado(1) = 1;
        inserir_link();
        nome_do_link_dado(1) = "L1";
        verde_de_seguranca_dado(1) = 5;
        peso_da_parada_imposto_dado = 30;
        nome_da_rede_dado = "rede";
        projeto_alterado = false;
    }
};

TEST_F(sair_dos_dialogos, cancelar_esc_e_fechar_saem_sem_aviso_e_sem_gravar) {
    const std::vector<std::pair<const char*, std::function<void(formulario&, botao_de_comando&)>>> saidas = {
        // O clique: o botão toma o foco da caixa e então o clique chega.
        {"clique em Cancelar",
         [this](formulario& f, botao_de_comando& b) {
             agir([&] { b.SetFocus(); });
             const std::string nome = f.nome();
             if (carregada(nome)) agir([&] { b.Click(); });
         }},
        {"Esc", [this](formulario& f, botao_de_comando&) { agir([&] { f.entregar_tecla(tecla_esc); }); }},
        {"fechar a janela", [this](formulario& f, botao_de_comando&) { agir([&] { f.Unload(0); }); }},
    };
    for (const caso& c : casos()) {
        for (const auto& [como, sair] : saidas) {
            SCOPED_TRACE(std::string(c.nome) + ", " + como);
            s.mensagens.clear();
            formulario& f = preparar(c);
            const std::string nome = f.nome();
            sair(f, c.cancelar());
            EXPECT_TRUE(s.mensagens.empty());
            EXPECT_FALSE(carregada(nome));
            c.espera_nada_gravado();
            EXPECT_FALSE(projeto_alterado);
            EXPECT_EQ(no_selecionado, 0);
            EXPECT_EQ(link_selecionado, 0);
        }
    }
}

TEST_F(sair_dos_dialogos, esc_sai_do_editor_de_no_sem_botoes_a_vista) {
    // Um nó sem diagrama mostra só os modelos prontos; a quantidade de grupos recusada esconde
    // os botões: Esc sai assim mesmo.
    abrir(2);
    ASSERT_FALSE(e().cancelar_command.Visible);
    EXPECT_EQ(tecla(tecla_esc), 0);
    EXPECT_FALSE(carregada("frmEditarNo_versao2"));

    abrir(1);
    tecla_nos_grupos('9', "9");
    ASSERT_EQ(s.mensagens.size(), 1u);
    ASSERT_FALSE(e().cancelar_command.Visible);
    EXPECT_EQ(tecla(tecla_esc), 0);
    EXPECT_FALSE(carregada("frmEditarNo_versao2"));
    EXPECT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(quant_de_grupos_dado(1), 2);
}

TEST_F(sair_dos_dialogos, a_caixa_deixada_pelo_cancelar_confere_quando_o_foco_segue_para_outro_botao) {
    // O botão "Cancelar" apertado e solto fora dele: nada sai. O clique seguinte em "Inserir
    // dados" faz a caixa guardar, com o aviso, e a confirmação espera a correção.
    for (const caso& c : casos()) {
        if (std::string(c.nome) == "nome") continue;  // a caixa do nome não guarda ao sair
        SCOPED_TRACE(c.nome);
        s.mensagens.clear();
        formulario& f = preparar(c);
        agir([&] { c.cancelar().SetFocus(); });
        EXPECT_TRUE(s.mensagens.empty());
        agir([&] { f.mover_foco(nullptr); });  // o foco segue adiante
        EXPECT_EQ(s.mensagens.size(), 1u);
        EXPECT_EQ(f.ActiveControl(), &c.caixa());
        EXPECT_TRUE(f.carregado());
        c.espera_nada_gravado();
        EXPECT_FALSE(projeto_alterado);
        agir([&] { f.Unload(); });
    }
}

}  // namespace
}  // namespace orvel
