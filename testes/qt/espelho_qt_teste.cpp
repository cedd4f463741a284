#include <gtest/gtest.h>

#include "comum/espelho_de_teste.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "comum/janela_principal_de_teste.h"
#include "dialogos/editor_de_link.h"
#include "dialogos/editor_de_no_de_teste.h"
#include "dialogos/nome_da_rede.h"
#include "dialogos/opcoes_da_rede.h"
#include "resultados/ajuda.h"
#include "resultados/diagrama_de_barras_final.h"
#include "resultados/rede_dinamica.h"
#include "resultados/relatorio.h"
#include "modelo/valores_da_animacao.h"
#include "plataforma/qt/espelho_qt.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

class janela_de_mouse : public formulario {
public:
    janela_de_mouse() : formulario("janela_de_mouse") {
        Width = 6000;
        Height = 4500;
        faixa.Left = 0;
        faixa.Top = 0;
        faixa.Width = 6000;
        faixa.Height = 585;
        alca.Left = 1500;
        alca.Top = 1500;
        alca.Width = 600;
        alca.Height = 600;
        alca.MouseDown = [this](Integer b, Integer, Single x, Single y) {
            eventos.push_back("alca_down " + std::to_string(b) + " " + std::to_string(int(x)) + " " + std::to_string(int(y)));
            alca.Visible = false;  // esconder a alça durante o arrasto não tira a captura
        };
        alca.MouseMove = [this](Integer b, Integer, Single x, Single) {
            if (b != 0) eventos.push_back("alca_move " + std::to_string(int(x)));
        };
        alca.MouseUp = [this](Integer, Integer, Single, Single) { eventos.push_back("alca_up"); };
    }
    rotulo alca{*this, "alca"};
    rotulo faixa{*this, "faixa"};
    std::vector<std::string> eventos;
    void Form_MouseDown(Integer, Integer, Single, Single) override { eventos.push_back("form_down"); }
    void Form_MouseMove(Integer b, Integer, Single x, Single) override {
        if (b == 0) MousePointer = x > 3000 ? 5 : 0;
        else eventos.push_back("form_move");
    }
    void Form_MouseUp(Integer, Integer, Single, Single) override { eventos.push_back("form_up"); }
};

class espelho_no_qt : public teste::com_espelho_qt {
protected:
    servicos_de_teste s;
};

TEST_F(espelho_no_qt, rotulo_engole_o_clique_e_a_captura_sobrevive_a_esconder_o_rotulo) {
    auto& j = formulario_unico<janela_de_mouse>();
    j.Show();
    QWidget* sup = superficie(j);
    // A faixa não tem tratador, mas o clique nela não chega à janela.
    QTest::mousePress(sup, Qt::LeftButton, {}, px(300, 300));
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(300, 300));
    EXPECT_TRUE(j.eventos.empty());
    // Fora de qualquer rótulo vai para a janela.
    QTest::mousePress(sup, Qt::LeftButton, {}, px(3000, 3000));
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(3000, 3000));
    EXPECT_EQ(j.eventos, (std::vector<std::string>{"form_down", "form_up"}));
    j.eventos.clear();
    // Pressionar a alça (coordenadas relativas a ela) e arrastar depois de escondida.
    QTest::mousePress(sup, Qt::LeftButton, {}, px(1800, 1650));
    QMouseEvent mover(QEvent::MouseMove, QPointF(px(3000, 3000)), QPointF(px(3000, 3000)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(sup, &mover);
    QTest::mouseRelease(sup, Qt::LeftButton, {}, px(3000, 3000));
    ASSERT_EQ(j.eventos.size(), 3u);
    EXPECT_EQ(j.eventos[0], "alca_down 1 300 150");
    EXPECT_EQ(j.eventos[1], "alca_move 1500");
    EXPECT_EQ(j.eventos[2], "alca_up");
}

TEST_F(espelho_no_qt, movimento_sem_botao_poe_o_cursor_do_codigo) {
    auto& j = formulario_unico<janela_de_mouse>();
    j.Show();
    QWidget* sup = superficie(j);
    QTest::mouseMove(sup, px(4500, 3000));
    EXPECT_EQ(j.MousePointer, 5);
    EXPECT_EQ(sup->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(sup, px(900, 3000));
    EXPECT_EQ(sup->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(espelho_no_qt, janela_principal_com_barra_menus_e_comandos) {
    tela_principal_completa().Show();
    espelho.sincronizar();
    auto* jan = espelho.janela_de(tela_principal_completa());
    ASSERT_NE(jan, nullptr);
    auto* novo = jan->findChild<QToolButton*>("arquivo_novo_button");
    ASSERT_NE(novo, nullptr);
    EXPECT_EQ(novo->geometry(), QRect(30, 40 / 15, 36, 35));
    EXPECT_TRUE(novo->isEnabled());
    auto* parar = jan->findChild<QToolButton*>("parar_processamento_button");
    ASSERT_NE(parar, nullptr);
    EXPECT_FALSE(parar->isEnabled());
    EXPECT_EQ(parar->text(), QString::fromUtf8("Interromper  processamento"));
    auto* barra = jan->findChild<QMenuBar*>();
    ASSERT_NE(barra, nullptr);
    QStringList visiveis;
    for (QAction* a : barra->actions())
        if (a->isVisible()) visiveis << a->text();
    EXPECT_EQ(visiveis, (QStringList{"Arquivo", "Rede", QString::fromUtf8("Nó"), "Link", QString::fromUtf8("Relatório"),
                                     "Diagrama de barras", QString::fromUtf8("Rede dinâmica"), "Ajuda"}));
    // Um comando habilitado pelos dados cria um nó de verdade no desenho.
    tela_principal_completa().inserir_no_button.Enabled = true;
    espelho.sincronizar();
    auto* criar_no = jan->findChild<QToolButton*>("inserir_no_button");
    QTest::mouseClick(criar_no, Qt::LeftButton);
    EXPECT_TRUE(existe_no(1));
    EXPECT_TRUE(tela_principal_completa().no_shape(1).Visible);
}

TEST_F(espelho_no_qt, clique_na_faixa_da_barra_nao_chega_a_area_de_desenho) {
    tela_principal_completa().Show();
    espelho.sincronizar();
    auto* sup = espelho.janela_de(tela_principal_completa())->superficie();
    apresentacao_encerrada = false;
    // Entre "Salvar" e "Desenhar", sobre a faixa Label7: o rótulo engole o clique.
    QTest::mouseClick(sup, Qt::LeftButton, {}, QPoint(190, 20));
    EXPECT_FALSE(apresentacao_encerrada);
    // Abaixo da faixa, na área de desenho, o clique chega a Form_MouseDown.
    QTest::mouseClick(sup, Qt::LeftButton, {}, QPoint(400, 400));
    EXPECT_TRUE(apresentacao_encerrada);
}

// Logo depois de aparecer, a janela principal não tem comando com o foco: Espaço e Enter não
// apertam "Salvar" (nem botão nenhum).
TEST_F(espelho_no_qt, janela_principal_comeca_sem_comando_com_o_foco) {
    tela_principal_completa().Show();
    espelho.sincronizar();
    auto* jan = espelho.janela_de(tela_principal_completa());
    ASSERT_NE(jan, nullptr);
    ASSERT_TRUE(jan->findChild<QToolButton*>("salvar_button")->isEnabled());
    jan->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(jan));
    QWidget* foco = QApplication::focusWidget();
    EXPECT_EQ(qobject_cast<QAbstractButton*>(foco), nullptr) << (foco ? foco->objectName().toStdString() : "");
    for (Qt::Key tecla : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QWidget* alvo = QApplication::focusWidget() ? QApplication::focusWidget() : jan;
        QTest::keyClick(alvo, tecla);
    }
    QApplication::processEvents();
    EXPECT_TRUE(s.dialogos_salvar.empty());
    EXPECT_TRUE(s.dialogos_abrir.empty());
    EXPECT_TRUE(s.mensagens.empty());
    for (formulario* f : janelas_carregadas())
        EXPECT_TRUE(f == &tela_principal_completa() || !f->Visible) << f->nome();
}

// Uma janela cujos dados dão o foco a uma caixa antes de ela aparecer: ao aparecer, o foco do
// teclado está nessa caixa, e não na janela.
class janela_com_foco_na_carga : public formulario {
public:
    janela_com_foco_na_carga() : formulario("janela_com_foco_na_carga") {
        primeira.posicionar(300, 300, 1500, 300);
        segunda.posicionar(300, 900, 1500, 300);
        primeira.TabIndex = 0;
        segunda.TabIndex = 1;
    }
    void Form_Load() override { segunda.SetFocus(); }
    caixa_de_texto primeira{*this, "primeira"};
    caixa_de_texto segunda{*this, "segunda"};
};

TEST_F(espelho_no_qt, foco_dado_antes_de_aparecer_chega_a_caixa) {
    auto& j = formulario_unico<janela_com_foco_na_carga>();
    ASSERT_TRUE(j.segunda.tem_o_foco());
    j.Show();
    espelho.sincronizar();
    auto* jan = espelho.janela_de(j);
    ASSERT_NE(jan, nullptr);
    jan->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(jan));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "segunda");
}

// Uma janela modal aparece uma vez só, já modal, e o comando que a mostrou volta quando ela é
// fechada pela moldura.
TEST_F(espelho_no_qt, janela_modal_aparece_uma_vez_ja_modal_e_o_laco_acaba_ao_fechar) {
    // Conta o que acontece com a janela Qt do formulário desde antes de ela existir.
    struct contador : QObject {
        int mostrada = 0, escondida = 0;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (o->objectName() == "janela_de_mouse" && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) {
                if (e->type() == QEvent::Show) ++mostrada;
                if (e->type() == QEvent::Hide) ++escondida;
            }
            return false;
        }
    } eventos;
    QApplication::instance()->installEventFilter(&eventos);
    auto& j = formulario_unico<janela_de_mouse>();
    bool modal_no_laco = false;
    int escondida_no_laco = -1;
    QTimer::singleShot(0, [&] {
        janela_qt* q = espelho.janela_de(j);
        modal_no_laco = q && q->isVisible() && QApplication::activeModalWidget() == q;
        escondida_no_laco = eventos.escondida;
        if (q) q->close();
    });
    despachar_evento(&j, [&] { j.Show(1); });
    QApplication::instance()->removeEventFilter(&eventos);
    EXPECT_TRUE(modal_no_laco);
    EXPECT_EQ(escondida_no_laco, 0);
    EXPECT_EQ(eventos.mostrada, 1);
    EXPECT_TRUE(janelas_carregadas().empty());  // fechada e descarregada
}

// Todas as janelas abertas no Qt offscreen a 96 dpi, nos tamanhos do projeto.
class janelas_no_qt : public teste::com_editor_de_no {
protected:
    void TearDown() override {
        teste::com_editor_de_no::TearDown();
        QApplication::processEvents();
    }

    // Cabe o texto na área, quebrado nas palavras quando pode?
    static bool cabe(const QFont& fonte, const QRectF& area, const QString& texto, bool quebra) {
        const QRectF r = QFontMetricsF(fonte).boundingRect(
            area, Qt::AlignLeft | Qt::AlignTop | (quebra ? Qt::TextWordWrap : Qt::TextSingleLine), texto);
        return r.width() <= area.width() + 0.01 && r.height() <= area.height() + 0.01;
    }

    // As legendas da janela que a tela mostra cortadas ou em letra menor que 7 pontos, como
    // "controle(índice) texto". Um botão da barra pequeno demais para a legenda inteira em 7
    // pontos mostra o que couber e tem a legenda inteira na dica.
    std::vector<std::string> cortadas(formulario& f) {
        espelho.sincronizar();
        std::vector<std::string> v;
        janela_qt* j = espelho.janela_de(f);
        if (!j) return {"janela não mostrada: " + f.nome()};
        for (controle* c : f.controles()) {
            std::string legenda;
            bool ok = true;
            if (c->tipo() == tipo_de_controle::rotulo) {
                auto* r = static_cast<rotulo*>(c);
                legenda = r->Caption.texto();
                const QRectF area = espelho_qt::area_da_legenda(*r);
                EXPECT_GE(area.width(), r->Width / 15.0 - 0.01) << legenda;
                const QFont fonte = espelho_qt::fonte_de_tela(*r);
                ok = legenda.empty() || (cabe(fonte, area, QString::fromStdString(legenda), true) && fonte.pointSizeF() >= 7.0);
            } else if (auto* w = qobject_cast<QAbstractButton*>(j->widget_de(c))) {
                legenda = w->text().toStdString();
                QRectF area(w->rect());
                bool quebra = true;
                if (auto* t = qobject_cast<QToolButton*>(w)) {
                    area.adjust(1, 1, -1, -1);
                    if (!t->icon().isNull()) area.setTop(area.top() + t->iconSize().height() + 1);
                } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                    const bool caixa = qobject_cast<QCheckBox*>(w) != nullptr;
                    const int indicador = w->style()->pixelMetric(caixa ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, nullptr, w);
                    const int espaco = w->style()->pixelMetric(caixa ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
                    area.setLeft(indicador + espaco);
                } else {
                    area.adjust(3, 3, -3, -3);
                    quebra = false;
                }
                ok = legenda.empty() || (cabe(w->font(), area, w->text(), quebra) && w->font().pointSizeF() >= 7.0);
                if (!ok && qobject_cast<QToolButton*>(w) && w->toolTip() == w->text() && w->font().pointSizeF() >= 7.0) {
                    // O começo da legenda, em 7 pontos ou mais, aparece no botão.
                    const QImage imagem = w->grab().toImage();
                    bool tinta = false;
                    for (int x = 0; x < imagem.width() && !tinta; ++x)
                        for (int y = static_cast<int>(area.top()); y < imagem.height() && !tinta; ++y)
                            tinta = imagem.pixelColor(x, y).value() < 200;  // também o cinza de desabilitado
                    ok = tinta;
                }
                if (w->text() != QString::fromStdString(legenda)) ok = false;
            }
            if (!ok) v.push_back(c->nome() + "(" + std::to_string(c->indice()) + ") " + legenda);
        }
        return v;
    }
    espelho_qt espelho;
};

TEST_F(janelas_no_qt, nenhuma_legenda_cortada_nos_tamanhos_do_projeto) {
    t().Show();
    // A barra com os comandos todos habilitados e os seus textos.
    EXPECT_EQ(cortadas(t()), std::vector<std::string>{});
    gravar_no_valido(1);
    abrir(1);
    agir([&] {
        e().CheckEscravo.definir_valor(1);
        e().CheckDemanda.definir_valor(1);
    });
    EXPECT_EQ(cortadas(e()), std::vector<std::string>{});
    // "Nó com demanda     de pedestres" aparece em duas linhas de texto na caixa.
    QWidget* demanda = espelho.janela_de(e())->widget_de(&e().CheckDemanda);
    ASSERT_NE(demanda, nullptr);
    const QImage imagem = demanda->grab().toImage();
    const int inicio = demanda->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, demanda) +
                       demanda->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, demanda);
    int linhas = 0;
    bool na_linha = false;
    for (int y = 0; y < imagem.height(); ++y) {
        bool tinta = false;
        for (int x = inicio; x < imagem.width() && !tinta; ++x) tinta = imagem.pixelColor(x, y).value() < 128;
        if (tinta && !na_linha) ++linhas;
        na_linha = tinta;
    }
    EXPECT_EQ(linhas, 2);
    for (formulario* f : std::initializer_list<formulario*>{&editor_de_link_unico(), &opcoes_da_rede_unica(), &nome_da_rede_unico(),
                                                            &diagrama_de_barras_final_unico(), &rede_dinamica_unica()}) {
        agir([&] { f->Show(); });
        EXPECT_EQ(cortadas(*f), std::vector<std::string>{}) << f->nome();
    }
    // O diagrama final depois de "Apl", com as fontes maiores dos títulos.
    auto& d = diagrama_de_barras_final_unico();
    agir([&] {
        d.Text3.Text = "X";
        d.Command2.Click();
    });
    EXPECT_FALSE(d.Command2.Visible);
    EXPECT_EQ(cortadas(d), std::vector<std::string>{});
}

// A legenda de um rótulo, como a tela a desenha, fica dentro da moldura que contém o rótulo (sem
// tocar a linha) e não encosta na caixa ou no botão à sua direita: o que não cabe quebra em mais
// linhas. No editor de link, "Capacidade de armazenamento (veic)" e "Valor do quarto
// fornecimento" passavam por cima da moldura, e "Código do primeiro link recebedor" encostava
// "link" na caixa do segundo recebedor.
TEST_F(janelas_no_qt, legendas_dentro_das_molduras_e_longe_das_caixas) {
    constexpr double folga = 4.0;  // pixels
    auto conferir = [&](formulario& f) {
        espelho.sincronizar();
        janela_qt* j = espelho.janela_de(f);
        ASSERT_NE(j, nullptr) << f.nome();
        for (controle* c : f.controles()) {
            if (c->tipo() != tipo_de_controle::rotulo || !c->Visible) continue;
            auto* r = static_cast<rotulo*>(c);
            if (r->Caption.texto().empty() || r->Alignment != 0) continue;
            const std::string nome = f.nome() + " " + r->nome() + "(" + std::to_string(r->indice()) + ") " + r->Caption.texto();
            const QRectF texto = QFontMetricsF(espelho_qt::fonte_de_tela(*r))
                                     .boundingRect(espelho_qt::area_da_legenda(*r), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                   QString::fromStdString(r->Caption.texto()));
            const QRectF proprio(r->Left / 15.0, r->Top / 15.0, r->Width / 15.0, r->Height / 15.0);
            for (controle* o : f.controles()) {
                if (o == c || !o->Visible) continue;
                if (o->tipo() == tipo_de_controle::forma) {
                    const auto* moldura = static_cast<forma*>(o);
                    const QRectF m(moldura->Left / 15.0, moldura->Top / 15.0, moldura->Width / 15.0, moldura->Height / 15.0);
                    // A linha da moldura fica no seu último pixel.
                    if (m.contains(proprio)) {
                        EXPECT_LE(texto.right(), m.right() - 1 - folga + 0.01) << nome;
                    }
                    continue;
                }
                QWidget* w = j->widget_de(o);
                if (!w || !w->isVisible()) continue;
                const QRect g = w->geometry();
                const bool na_faixa = g.top() < texto.bottom() && g.bottom() > texto.top();
                if (na_faixa && g.left() >= proprio.right()) {
                    EXPECT_LE(texto.right(), g.left() - folga + 0.01) << nome << " / " << o->nome();
                }
            }
        }
    };
    agir([&] { editor_de_link_unico().Show(); });
    conferir(editor_de_link_unico());
    // A quebra de "Código do primeiro    link recebedor" fica antes de "link".
    rotulo& primeiro = editor_de_link_unico().Label9(0);
    const QRectF area = espelho_qt::area_da_legenda(primeiro);
    const QFontMetricsF medida(espelho_qt::fonte_de_tela(primeiro));
    EXPECT_GT(medida.horizontalAdvance(QString::fromUtf8("Código do primeiro    link")), area.width());
    for (formulario* f : std::initializer_list<formulario*>{&opcoes_da_rede_unica(), &nome_da_rede_unico(),
                                                            &diagrama_de_barras_final_unico(), &rede_dinamica_unica()}) {
        agir([&] { f->Show(); });
        conferir(*f);
    }
    gravar_no_valido(1);
    abrir(1);
    conferir(e());
    t().Show();
    conferir(t());
}

// Left e Top são os da moldura (barra de título e bordas); Width e Height também, menos no
// diálogo do nome e no diagrama final, projetados pela área de dentro, que têm esse interior com
// a moldura em volta. Numa tela com moldura (o Qt offscreen põe 2 pixels em volta), a janela da
// tela cheia fica toda na tela.
TEST_F(janelas_no_qt, a_moldura_de_cada_janela_fica_onde_os_dados_a_poem) {
    auto conferir = [&](formulario& f) {
        espelho.sincronizar();
        QApplication::processEvents();
        janela_qt* j = espelho.janela_de(f);
        ASSERT_NE(j, nullptr) << f.nome();
        const QRect moldura = j->frameGeometry();
        EXPECT_NE(moldura, j->geometry()) << f.nome();  // há moldura em volta do interior
        const QRect dados(static_cast<int>(f.Left / 15), static_cast<int>(f.Top / 15), static_cast<int>(f.Width / 15),
                          static_cast<int>(f.Height / 15));
        if (f.nome() == "frmNome_da_rede_versao2" || f.nome() == "frmDiagrama_de_barras_final_versao2") {
            EXPECT_EQ(moldura.topLeft(), dados.topLeft()) << f.nome();
            EXPECT_EQ(j->geometry().size(), dados.size()) << f.nome();
        } else {
            EXPECT_EQ(moldura, dados) << f.nome();
        }
        EXPECT_TRUE(QRect(0, 0, 800, 800).contains(moldura)) << f.nome();
    };
    t().Show();
    conferir(t());
    EXPECT_EQ(t().Left, 0);
    EXPECT_EQ(t().Top, 0);
    EXPECT_EQ(t().Width, 12000);
    gravar_no_valido(1);
    abrir(1);
    conferir(e());
    for (formulario* f : std::initializer_list<formulario*>{&editor_de_link_unico(), &opcoes_da_rede_unica(), &nome_da_rede_unico(),
                                                            &diagrama_de_barras_final_unico(), &rede_dinamica_unica(),
                                                            &relatorio_unico(), &ajuda_unica()}) {
        agir([&] { f->Show(); });
        conferir(*f);
    }
    // Os controles ficam nos seus twips dentro do interior, abaixo da barra de menus.
    auto* novo = espelho.janela_de(t())->findChild<QToolButton*>("arquivo_novo_button");
    ASSERT_NE(novo, nullptr);
    EXPECT_EQ(novo->geometry().topLeft(), QPoint(30, 40 / 15));
    // Uma mudança de tamanho pelo usuário chega aos dados como o tamanho da moldura.
    janela_qt* principal = espelho.janela_de(t());
    principal->resize(principal->width() - 100, principal->height() - 50);
    QApplication::processEvents();
    EXPECT_EQ(t().Width, 15 * 700);
    EXPECT_EQ(t().Height, 15 * 750);
}

// Os diálogos do programa ficam acima da janela principal enquanto abertos (transitórios dela);
// todas as janelas levam o ícone do programa.
TEST_F(janelas_no_qt, dialogos_acima_da_principal_e_o_icone_em_todas_as_janelas) {
    t().Show();
    espelho.sincronizar();
    QWindow* principal = espelho.janela_de(t())->windowHandle();
    ASSERT_NE(principal, nullptr);
    const QIcon icone = QApplication::windowIcon();
    ASSERT_FALSE(icone.isNull());
    auto conferir_o_icone = [&](formulario& f) {
        janela_qt* j = espelho.janela_de(f);
        ASSERT_NE(j, nullptr) << f.nome();
        EXPECT_EQ(j->windowIcon().cacheKey(), icone.cacheKey()) << f.nome();
        EXPECT_EQ(j->windowHandle()->icon().cacheKey(), icone.cacheKey()) << f.nome();
    };
    conferir_o_icone(t());
    gravar_no_valido(1);
    abrir(1);
    for (formulario* f : std::initializer_list<formulario*>{&e(), &editor_de_link_unico(), &opcoes_da_rede_unica(), &nome_da_rede_unico(),
                                                            &diagrama_de_barras_final_unico()}) {
        agir([&] { f->Show(); });
        janela_qt* j = espelho.janela_de(*f);
        ASSERT_NE(j, nullptr) << f->nome();
        ASSERT_NE(j->windowHandle(), nullptr) << f->nome();
        EXPECT_EQ(j->windowHandle()->transientParent(), principal) << f->nome();
        conferir_o_icone(*f);
    }
    for (formulario* f : std::initializer_list<formulario*>{&relatorio_unico(), &ajuda_unica(), &rede_dinamica_unica()}) {
        agir([&] { f->Show(); });
        conferir_o_icone(*f);
    }
}

// Um comando de uma janela já mostrada traz essa janela para a frente, com o foco; o editor de
// nó trazido assim mostra o nó selecionado agora.
TEST_F(janelas_no_qt, o_comando_de_uma_janela_ja_mostrada_a_traz_para_a_frente) {
    t().Show();
    espelho.sincronizar();
    QWidget* principal = espelho.janela_de(t());
    auto ativar_a_principal = [&] {
        principal->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), principal);
    };
    for (item_de_menu* m : {&t().mnuEditarRede, &t().mnuNomeRede}) {
        despachar_evento(&t(), m->Click);
        QApplication::processEvents();
        QWidget* dialogo = QApplication::activeWindow();
        ASSERT_NE(dialogo, principal) << m->Caption;
        ativar_a_principal();
        despachar_evento(&t(), m->Click);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), dialogo) << m->Caption;
    }

    gravar_no_valido(1);
    gravar_no_valido(2, "Segundo");
    abrir(1);
    QApplication::processEvents();
    QWidget* editor = espelho.janela_de(e());
    ASSERT_EQ(QApplication::activeWindow(), editor);
    ativar_a_principal();
    abrir(2);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), editor);
    EXPECT_EQ(e().codigo_texto.Text.texto(), "Segundo");
}

}  // namespace
}  // namespace orvel
