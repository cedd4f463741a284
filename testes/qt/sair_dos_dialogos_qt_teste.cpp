#include <gtest/gtest.h>

#include "dialogos/editor_de_no_de_teste.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>

#include "dialogos/editor_de_link.h"
#include "dialogos/nome_da_rede.h"
#include "dialogos/opcoes_da_rede.h"
#include "plataforma/qt/espelho_qt.h"

namespace orvel {
namespace {

// Os diálogos de verdade no Qt offscreen, com a janela principal e dois nós.
class dialogos_no_qt : public teste::com_editor_de_no {
protected:
    void SetUp() override {
        com_editor_de_no::SetUp();
        peso_da_parada_imposto_dado = 30;
        inserir_link();
        nome_do_link_dado(1) = "L1";
        verde_de_seguranca_dado(1) = 5;
        projeto_alterado = false;
    }
    void TearDown() override {
        teste::com_editor_de_no::TearDown();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static bool carregada(const std::string& nome) {
        for (formulario* f : janelas_carregadas())
            if (f->nome() == nome) return true;
        return false;
    }

    // Mostra o diálogo, ativo, e digita o texto na caixa com o teclado.
    QLineEdit* digitar(formulario& f, caixa_de_texto& c, const char* texto) {
        espelho.sincronizar();
        auto* jan = espelho.janela_de(f);
        EXPECT_NE(jan, nullptr);
        if (!jan) return nullptr;
        QApplication::setActiveWindow(jan);
        EXPECT_TRUE(QTest::qWaitForWindowActive(jan));
        auto* caixa = jan->findChild<QLineEdit*>(QString::fromStdString(c.nome()));
        EXPECT_NE(caixa, nullptr);
        if (!caixa) return nullptr;
        agir([&] { c.SetFocus(); });
        QTest::keyClicks(caixa, texto);
        QApplication::processEvents();
        return caixa;
    }

    janela_opcoes_da_rede& abrir_opcoes() {
        auto& o = opcoes_da_rede_unica();
        agir([&] { o.Show(); });
        return o;
    }

    janela_editar_link& abrir_link() {
        link_selecionado = 1;
        despachar_evento(&t(), [this] { t().editar_link_button_Click(); });
        return editor_de_link_unico();
    }

    espelho_qt espelho;
};

TEST_F(dialogos_no_qt, clique_em_cancelar_esc_e_fechar_saem_com_um_numero_fora_da_faixa) {
    // O clique no "Cancelar": o botão toma o foco da caixa ao ser apertado, e a caixa não
    // confere o seu número; o clique chega e a janela se fecha.
    {
        auto& o = abrir_opcoes();
        ASSERT_TRUE(digitar(o, o.peso_da_parada_texto, "99999"));
        auto* cancelar = espelho.janela_de(o)->findChild<QPushButton*>("cancelar_button");
        ASSERT_NE(cancelar, nullptr);
        QTest::mouseClick(cancelar, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(s.mensagens.empty());
        EXPECT_FALSE(carregada("frmRede_versao2"));
        EXPECT_EQ(peso_da_parada_imposto_dado, 30);
    }
    {
        auto& l = abrir_link();
        ASSERT_TRUE(digitar(l, l.verde_de_seguranca_texto, "300"));
        auto* cancelar = espelho.janela_de(l)->findChild<QPushButton*>("cancelar_button");
        ASSERT_NE(cancelar, nullptr);
        QTest::mouseClick(cancelar, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(s.mensagens.empty());
        EXPECT_FALSE(carregada("frmEditarLink_versao2"));
        EXPECT_EQ(verde_de_seguranca_dado(1), 5);
    }
    // Esc na caixa.
    {
        auto& l = abrir_link();
        QLineEdit* caixa = digitar(l, l.verde_de_seguranca_texto, "300");
        ASSERT_TRUE(caixa);
        QTest::keyClick(caixa, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_TRUE(s.mensagens.empty());
        EXPECT_FALSE(carregada("frmEditarLink_versao2"));
    }
    // O botão de fechar da moldura.
    {
        auto& o = abrir_opcoes();
        ASSERT_TRUE(digitar(o, o.peso_da_parada_texto, "99999"));
        espelho.janela_de(o)->close();
        QApplication::processEvents();
        EXPECT_TRUE(s.mensagens.empty());
        EXPECT_FALSE(carregada("frmRede_versao2"));
    }
    EXPECT_EQ(verde_de_seguranca_dado(1), 5);
    EXPECT_EQ(peso_da_parada_imposto_dado, 30);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(dialogos_no_qt, subida_do_enter_sem_a_descida_nao_repete_o_aviso_da_quantidade_de_grupos) {
    gravar_no_valido(1);
    abrir(1);
    QLineEdit* grupos = digitar(e(), e().texto_quantos_grupos, "9");
    ASSERT_TRUE(grupos);
    ASSERT_EQ(s.mensagens.size(), 1u);
    // O Enter que fechou o aviso: a descida foi da caixa de mensagem, só a subida chega aqui.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent subida(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(grupos, &subida);
    }
    QApplication::processEvents();
    EXPECT_EQ(s.mensagens.size(), 1u);
    // Cada tecla digitada avisa uma vez.
    QTest::keyClicks(grupos, "0");
    QApplication::processEvents();
    EXPECT_EQ(s.mensagens.size(), 2u);
}

// O diálogo que "Novo", Rede > Nome, Rede > Valores opcionais e os editores abrem (ou trazem de
// volta, ainda aberto atrás da janela principal) já recebe o que o usuário digita, sem um clique
// antes: a primeira caixa tem o foco, com o valor todo selecionado, e o que se digita o substitui.
TEST_F(dialogos_no_qt, o_que_se_digita_ao_abrir_o_dialogo_substitui_o_valor_da_primeira_caixa) {
    gravar_no_valido(1);
    nome_da_rede_dado = "Rede3";
    t_de_ciclo_imposto_dado = 60;
    auto ativa = [](QWidget* jan) {
        for (int i = 0; i < 200 && !jan->isActiveWindow(); ++i) QTest::qWait(5);
        return jan->isActiveWindow();
    };
    auto comando = [this](item_de_menu& m) { despachar_evento(&t(), [&m] { m.Click(); }); };
    struct caso {
        const char* comando;
        std::function<void()> abrir;
        std::function<caixa_de_texto&()> caixa;
        const char* valor;  // o que a caixa mostra ao aparecer
        bool de_novo;       // o diálogo já estava aberto
    };
    auto do_nome = []() -> caixa_de_texto& { return nome_da_rede_unico().nome_da_rede_texto; };
    auto das_opcoes = []() -> caixa_de_texto& { return opcoes_da_rede_unica().t_de_ciclo_imposto_texto; };
    const caso casos[] = {
        {"Editar nó", [this] { abrir(1); }, [this]() -> caixa_de_texto& { return e().codigo_texto; }, "A", false},
        {"Editar link", [this] { abrir_link(); }, []() -> caixa_de_texto& { return editor_de_link_unico().codigo_texto; },
         "L1", false},
        {"Rede > Nome", [&] { comando(t().mnuNomeRede); }, do_nome, "Rede3", false},
        {"Rede > Nome de novo", [&] { comando(t().mnuNomeRede); }, do_nome, "Rede3", true},
        {"Rede > Valores opcionais", [&] { comando(t().mnuEditarRede); }, das_opcoes, "60", false},
        {"Rede > Valores opcionais de novo", [&] { comando(t().mnuEditarRede); }, das_opcoes, "60", true},
        // Por último: a rede nova não tem nome.
        {"Novo", [&] { despachar_evento(&t(), [this] { t().arquivo_novo_button_Click(); }); }, do_nome, "", false},
    };
    despachar_evento(&t(), [this] { t().Show(); });
    espelho.sincronizar();
    ASSERT_TRUE(ativa(espelho.janela_de(t())));
    for (const caso& c : casos) {
        SCOPED_TRACE(c.comando);
        projeto_alterado = false;
        if (c.de_novo) {
            // Aberto, com algo digitado na caixa, e deixado para trás pelo clique na janela
            // principal: a ativação de volta escreve na caixa o valor guardado.
            c.abrir();
            QWidget* antes = espelho.janela_de(c.caixa().dono());
            ASSERT_TRUE(ativa(antes));
            QTest::keyClick(antes->windowHandle(), '9');
            QApplication::setActiveWindow(espelho.janela_de(t()));
            ASSERT_TRUE(ativa(espelho.janela_de(t())));
        }
        c.abrir();
        caixa_de_texto& caixa = c.caixa();
        espelho.sincronizar();
        janela_qt* jan = espelho.janela_de(caixa.dono());
        ASSERT_NE(jan, nullptr);
        ASSERT_TRUE(ativa(jan));
        EXPECT_EQ(QApplication::focusWidget(), jan->widget_de(&caixa));
        EXPECT_EQ(caixa.Text.texto(), c.valor);
        // As teclas vão à janela ativa, como as do teclado de verdade.
        for (char tecla : std::string("72")) QTest::keyClick(jan->windowHandle(), tecla);
        QApplication::processEvents();
        EXPECT_EQ(caixa.Text.texto(), "72");
        despachar_evento(&caixa.dono(), [&caixa] { caixa.dono().Unload(); });
        QApplication::processEvents();
    }
    EXPECT_TRUE(s.mensagens.empty());
}

}  // namespace
}  // namespace orvel
