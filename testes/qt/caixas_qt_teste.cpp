#include <gtest/gtest.h>

#include "comum/espelho_de_teste.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "plataforma/qt/espelho_qt.h"
#include "plataforma/servicos_de_teste.h"

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
    }
    caixa_de_texto codigo{*this, "codigo"};
    caixa_de_selecao duplo{*this, "duplo"};
    botao_de_comando ok{*this, "ok"};
    std::vector<std::string> eventos;
};

class caixas_no_qt : public teste::com_espelho_qt {
protected:
    servicos_de_teste s;
};

TEST_F(caixas_no_qt, digitar_enter_e_foco_antes_do_clique) {
    auto& d = formulario_unico<dialogo_de_teste>();
    d.Show();
    auto* jan = espelho.janela_de(d);
    QApplication::setActiveWindow(jan);
    ASSERT_TRUE(QTest::qWaitForWindowActive(jan));
    d.codigo.SetFocus();
    auto* caixa = jan->findChild<QLineEdit*>("codigo");
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

}  // namespace
}  // namespace orvel
