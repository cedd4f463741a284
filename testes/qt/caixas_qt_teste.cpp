#include <gtest/gtest.h>

#include "comum/espelho_de_teste.h"
#include "dialogos/editor_de_no_de_teste.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "plataforma/qt/espelho_qt.h"
#include "plataforma/qt/servicos_qt.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

class dialogo_de_teste : public formulario {
public:
    dialogo_de_teste() : formulario("dialogo_de_teste") {
        Width = 6000;
        Height = 3000;
        codigo.Left = 300;
        codigo.Top = 300;
        codigo.Width = 1500;
        codigo.Height = 300;
        codigo.MaxLength = 3;
        codigo.TabIndex = 0;
        codigo.Change = [this] { eventos.push_back("change " + codigo.Text.texto()); };
        codigo.LostFocus = [this] { eventos.push_back("lost " + codigo.Text.texto()); };
        codigo.KeyPress = [this](Integer& k) {
            if (k == tecla_enter) {
                eventos.push_back("enter");
                k = 0;
            }
        };
        duplo.Left = 300;
        duplo.Top = 900;
        duplo.Width = 2000;
        duplo.Height = 300;
        duplo.Caption = "Ciclo duplo permitido";
        duplo.Click = [this] { eventos.push_back("duplo " + std::to_string(duplo.Value)); };
        ok.Left = 300;
        ok.Top = 1500;
        ok.Width = 1200;
        ok.Height = 400;
        ok.Caption = "Inserir Dados";
        ok.TabIndex = 2;
        ok.Click = [this] { eventos.push_back("click"); };
        cancelar.Left = 1800;
        cancelar.Top = 1500;
        cancelar.Width = 1200;
        cancelar.Height = 400;
        cancelar.Caption = "Cancelar";
        cancelar.TabIndex = 3;
        cancelar.Click = [this] { eventos.push_back("cancelar"); };
    }
    void Form_KeyPress(Integer& k) override {
        if (k != tecla_enter) return;
        eventos.push_back("enter da janela");
        k = 0;
    }
    caixa_de_texto codigo{*this, "codigo"};
    caixa_de_selecao duplo{*this, "duplo"};
    botao_de_comando ok{*this, "ok"};
    botao_de_comando cancelar{*this, "cancelar"};
    std::vector<std::string> eventos;
};

class caixas_no_qt : public teste::com_espelho_qt {
protected:
    // Mostra o diálogo, espera que ele fique ativo e dá o foco à caixa do código: a caixa do Qt,
    // ou nulo se a janela não ficou ativa.
    QLineEdit* caixa_com_o_foco(dialogo_de_teste& d) {
        d.Show();
        auto* jan = espelho.janela_de(d);
        QApplication::setActiveWindow(jan);
        if (!QTest::qWaitForWindowActive(jan)) return nullptr;
        d.codigo.SetFocus();
        return jan->findChild<QLineEdit*>("codigo");
    }

    servicos_de_teste s;
};

TEST_F(caixas_no_qt, digitar_enter_e_foco_antes_do_clique) {
    auto& d = formulario_unico<dialogo_de_teste>();
    auto* caixa = caixa_com_o_foco(d);
    auto* jan = espelho.janela_de(d);
    auto* botao = jan->findChild<QPushButton*>("ok");
    auto* selecao = jan->findChild<QCheckBox*>("duplo");
    ASSERT_TRUE(caixa && botao && selecao);
    QTest::keyClicks(caixa, "12ab");
    EXPECT_EQ(d.codigo.Text.texto(), "12a");  // até 3 caracteres
    QTest::keyClick(caixa, Qt::Key_Return);
    QTest::mouseClick(selecao, Qt::LeftButton);
    EXPECT_EQ(d.duplo.Value, 1);
    d.codigo.SetFocus();
    QTest::mouseClick(botao, Qt::LeftButton);
    const std::vector<std::string> esperado = {"change 1", "change 12", "change 12a", "enter", "lost 12a",
                                               "duplo 1",  "lost 12a",  "click"};
    EXPECT_EQ(d.eventos, esperado);
    // O texto posto pelo programa aparece na caixa.
    d.codigo.Text = "N7";
    espelho.sincronizar();
    EXPECT_EQ(caixa->text(), "N7");
}

// A caixa de mensagem que o KeyDown de uma caixa de texto mostra toma o foco dela: a subida da
// tecla, que chega à caixa depois (o Enter que fechou a mensagem, por exemplo), não roda o KeyUp.
TEST_F(caixas_no_qt, subida_depois_de_uma_caixa_de_mensagem_que_tomou_o_foco_nao_chega_ao_key_up) {
    servicos_qt caixas;
    auto& d = formulario_unico<dialogo_de_teste>();
    bool avisar = true;
    std::vector<Integer> subidas;
    d.codigo.KeyDown = [&](Integer&, Integer) {
        if (!avisar) return;
        QTimer::singleShot(0, [] {
            if (QWidget* m = QApplication::activeModalWidget()) m->close();
        });
        caixas.caixa_de_mensagem("Valor fora da faixa", estilo_ok, "Aviso");
    };
    d.codigo.KeyUp = [&](Integer& k, Integer) { subidas.push_back(k); };
    auto* caixa = caixa_com_o_foco(d);
    ASSERT_NE(caixa, nullptr);
    auto* jan = espelho.janela_de(d);
    QTest::keyPress(caixa, Qt::Key_A);
    EXPECT_FALSE(caixa->hasFocus());  // a mensagem o tomou
    QTest::keyRelease(caixa, Qt::Key_A);
    EXPECT_TRUE(subidas.empty());
    // Sem mensagem, a descida e a subida são da caixa.
    avisar = false;
    QApplication::setActiveWindow(jan);
    d.codigo.SetFocus();
    QTest::keyPress(caixa, Qt::Key_B);
    QTest::keyRelease(caixa, Qt::Key_B);
    EXPECT_EQ(subidas, std::vector<Integer>{'B'});
}

TEST_F(caixas_no_qt, texto_posto_pelo_programa_aparece_inteiro_e_o_limite_so_vale_para_o_usuario) {
    auto& d = formulario_unico<dialogo_de_teste>();
    d.Show();
    auto* jan = espelho.janela_de(d);
    auto* caixa = jan->findChild<QLineEdit*>("codigo");
    ASSERT_NE(caixa, nullptr);
    for (const char* lido : {"Centro & Sul", "1800.5"}) {
        d.codigo.Text = lido;
        espelho.sincronizar();
        EXPECT_EQ(caixa->text(), QString::fromUtf8(lido));
        EXPECT_EQ(d.codigo.Text.texto(), lido);
    }
    d.eventos.clear();
    // Apagar o último caractere guarda o resto, sem corte; alongar o texto é recusado.
    QTest::keyClick(caixa, Qt::Key_End);
    QTest::keyClick(caixa, Qt::Key_Backspace);
    EXPECT_EQ(d.codigo.Text.texto(), "1800.");
    QTest::keyClicks(caixa, "12");
    EXPECT_EQ(d.codigo.Text.texto(), "1800.");
    EXPECT_EQ(caixa->text(), "1800.");
    // Trocado o texto todo, o limite de 3 caracteres volta a valer.
    caixa->selectAll();
    QTest::keyClicks(caixa, "7123");
    EXPECT_EQ(d.codigo.Text.texto(), "712");
    EXPECT_EQ(caixa->text(), "712");
    EXPECT_EQ(d.eventos, (std::vector<std::string>{"change 1800.", "change 7", "change 71", "change 712"}));
}

TEST_F(caixas_no_qt, enter_num_botao_com_o_foco_aperta_o_botao_e_nao_a_janela) {
    auto& d = formulario_unico<dialogo_de_teste>();
    ASSERT_NE(caixa_com_o_foco(d), nullptr);
    auto* jan = espelho.janela_de(d);
    auto* ok = jan->findChild<QPushButton*>("ok");
    auto* cancelar = jan->findChild<QPushButton*>("cancelar");
    auto* selecao = jan->findChild<QCheckBox*>("duplo");
    ASSERT_TRUE(ok && cancelar && selecao);
    d.ok.SetFocus();
    d.eventos.clear();
    QTest::keyClick(ok, Qt::Key_Tab);
    ASSERT_TRUE(cancelar->hasFocus());
    EXPECT_EQ(d.ActiveControl(), &d.cancelar);
    QTest::keyClick(cancelar, Qt::Key_Return);
    QTest::keyClick(ok, Qt::Key_Enter);
    // Numa caixa de seleção, o Enter continua sendo o da janela.
    QTest::keyClick(selecao, Qt::Key_Return);
    EXPECT_EQ(d.eventos, (std::vector<std::string>{"cancelar", "click", "enter da janela"}));
}

TEST_F(caixas_no_qt, tab_passa_o_foco_sem_chegar_aos_tratadores_de_tecla) {
    auto& d = formulario_unico<dialogo_de_teste>();
    std::vector<Integer> descidas;
    d.codigo.KeyDown = [&](Integer& k, Integer) { descidas.push_back(k); };
    auto* caixa = caixa_com_o_foco(d);
    ASSERT_NE(caixa, nullptr);
    QTest::keyClick(caixa, Qt::Key_5);
    QTest::keyClick(caixa, Qt::Key_Tab);
    EXPECT_EQ(descidas, std::vector<Integer>{'5'});
    EXPECT_NE(d.ActiveControl(), &d.codigo);
}

// O editor de nó de verdade no Qt offscreen.
class editor_de_no_no_qt : public teste::com_editor_de_no {
protected:
    void TearDown() override {
        teste::com_editor_de_no::TearDown();
        QApplication::processEvents();
    }
    espelho_qt espelho;
};

TEST_F(editor_de_no_no_qt, cada_digito_na_quantidade_de_grupos_fica_na_caixa_e_mostra_as_linhas) {
    gravar_no_valido(1);
    abrir(1);
    espelho.sincronizar();
    auto* jan = espelho.janela_de(e());
    ASSERT_NE(jan, nullptr);
    auto* grupos = jan->findChild<QLineEdit*>("texto_quantos_grupos");
    ASSERT_NE(grupos, nullptr);
    ASSERT_EQ(grupos->text(), "2");
    agir([&] { e().texto_quantos_grupos.SetFocus(); });
    auto visivel = [&](controle& c) {
        QWidget* w = jan->widget_de(&c);
        return w && w->isVisible();
    };
    for (const char* digito : {"3", "1", "4"}) {
        QTest::keyClicks(grupos, digito);
        QApplication::processEvents();
        EXPECT_EQ(e().texto_quantos_grupos.Text.texto(), digito);
        EXPECT_EQ(grupos->text(), digito);
        const int q = digito[0] - '0';
        EXPECT_EQ(quant_de_grupos_editado(1), q);
        EXPECT_TRUE(visivel(e().links_do_G(q)(0))) << digito;
        EXPECT_FALSE(visivel(e().links_do_G(q + 1)(0))) << digito;
        EXPECT_TRUE(visivel(e().cancelar_command) && visivel(e().inserir_dados_command)) << digito;
    }
    EXPECT_TRUE(s.mensagens.empty());
}

}  // namespace
}  // namespace orvel
