#include <gtest/gtest.h>

#include "comum/espelho_de_teste.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "editor/elementos_do_desenho.h"
#include "editor/tela_principal.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "plataforma/qt/espelho_qt.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

// Arrastos de verdade na superfície da janela principal, a 15 twips por pixel.
class mouse_no_desenho_qt : public teste::com_espelho_qt {
protected:
    void SetUp() override {
        teste::com_espelho_qt::SetUp();
        max_indice_no = 0;
        max_indice_link = 0;
        tela_principal_completa().Show();
        espelho.sincronizar();
        sup = espelho.janela_de(tela_principal_completa())->superficie();
    }
    void mover_com_o_botao(QPoint p) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(sup->mapToGlobal(p)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(sup, &e);
    }

    servicos_de_teste s;
    QWidget* sup = nullptr;
};

TEST_F(mouse_no_desenho_qt, arrasta_o_link_inteiro_e_depois_o_fim) {
    auto& t = tela_principal_completa();
    t.inserir_link_button_Click();  // (100, 800)-(1100, 800)
    nome_do_link_dado(1) = "L1";

    QTest::mousePress(sup, Qt::LeftButton, {}, px(600, 795));
    EXPECT_EQ(sup->cursor().shape(), Qt::SizeAllCursor);
    mover_com_o_botao(px(1500, 1500));
    EXPECT_FALSE(t.Shape2.Visible);
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(1500, 1500));
    const linha& corpo = t.corpo_link_line(1);
    EXPECT_EQ(std::tuple(corpo.X1, corpo.Y1, corpo.X2, corpo.Y2), std::tuple(1000.f, 1505.f, 2000.f, 1505.f));
    EXPECT_EQ(t.esquerda_seta_line(1).X2, 2000);
    EXPECT_TRUE(t.Shape3.Visible);
    EXPECT_EQ(t.Shape3.Left, 1948);
    EXPECT_EQ(t.etiqueta_link_label(1).Left, 1520);
    EXPECT_TRUE(t.etiqueta_link_label(1).Caption == "L1");

    // O fim, pelo quadrado da ponta.
    QTest::mousePress(sup, Qt::LeftButton, {}, px(1965, 1500));
    EXPECT_TRUE(arrastando_fim_do_link);
    EXPECT_EQ(sup->cursor().shape(), Qt::CrossCursor);
    mover_com_o_botao(px(2100, 1800));
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(2100, 1800));
    EXPECT_EQ(std::tuple(corpo.X1, corpo.Y1, corpo.X2, corpo.Y2), std::tuple(1000.f, 1505.f, 2100.f, 1800.f));
    EXPECT_TRUE(projeto_alterado);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(mouse_no_desenho_qt, arrasta_o_no_pelo_rotulo_e_muda_o_raio_pela_alca) {
    auto& t = tela_principal_completa();
    t.inserir_no_button_Click();  // rótulo de (270, 870) a (610, 1210)

    QTest::mousePress(sup, Qt::LeftButton, {}, px(450, 990));
    EXPECT_EQ(no_selecionado, 1);
    mover_com_o_botao(px(1500, 1500));
    EXPECT_TRUE(t.Line1.Visible);
    mover_com_o_botao(px(1500, 1500));
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(1500, 1500));
    EXPECT_EQ(t.apoio_no_label(1).Left, 1330);
    EXPECT_EQ(t.no_shape(1).Left, 1260);
    EXPECT_EQ(x_do_no(1), 1500);
    EXPECT_EQ(y_do_no(1), 1500);
    EXPECT_FALSE(t.Line1.Visible);
    ASSERT_TRUE(t.Label5.Visible);
    EXPECT_EQ(t.Label5.Left, 1688);

    // A alça de baixo à direita, arrastada até (1800, 1500): raio 300 em volta do centro.
    QTest::mousePress(sup, Qt::LeftButton, {}, px(1695, 1695));
    EXPECT_EQ(sup->cursor().shape(), Qt::CrossCursor);
    mover_com_o_botao(px(1800, 1500));
    EXPECT_FALSE(t.Label5.Visible);
    mover_com_o_botao(px(1800, 1500));  // a alça escondida continua recebendo o mouse
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(1800, 1500));
    EXPECT_EQ(raio_do_no(1), 300);
    EXPECT_EQ(t.no_shape(1).Left, 1200);
    EXPECT_EQ(t.no_shape(1).Width, 600);
    EXPECT_EQ(t.MousePointer, ponteiro_padrao);
}

}  // namespace
}  // namespace orvel
