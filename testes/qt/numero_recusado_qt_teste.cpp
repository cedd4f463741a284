#include <gtest/gtest.h>

#include "comum/espelho_de_teste.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogos/opcoes_da_rede.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/rede.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/qt/espelho_qt.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

class numero_recusado_no_qt : public teste::com_espelho_qt {
protected:
    servicos_de_teste s;
};

TEST_F(numero_recusado_no_qt, tab_avisa_e_o_foco_volta_a_caixa_e_o_clique_nao_confirma) {
    peso_da_parada_imposto_dado = 30;
    projeto_alterado = false;
    auto& o = opcoes_da_rede_unica();
    o.Show();
    auto* jan = espelho.janela_de(o);
    QApplication::setActiveWindow(jan);
    ASSERT_TRUE(QTest::qWaitForWindowActive(jan));
    auto* peso = jan->findChild<QLineEdit*>("peso_da_parada_texto");
    auto* inserir = jan->findChild<QPushButton*>("inserir_dados_button");
    ASSERT_TRUE(peso && inserir);
    o.peso_da_parada_texto.SetFocus();
    QTest::keyClicks(peso, "99999");
    QTest::keyClick(peso, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(o.ActiveControl(), &o.peso_da_parada_texto);
    EXPECT_EQ(QApplication::focusWidget(), peso);
    QTest::mouseClick(inserir, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(o.ActiveControl(), &o.peso_da_parada_texto);
    EXPECT_EQ(QApplication::focusWidget(), peso);
    EXPECT_TRUE(o.carregado());
    EXPECT_EQ(peso_da_parada_imposto_dado, 30);
    EXPECT_FALSE(projeto_alterado);
}

}  // namespace
}  // namespace orvel
