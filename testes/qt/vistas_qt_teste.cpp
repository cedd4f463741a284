#include <gtest/gtest.h>

#include "comum/espelho_de_teste.h"

#include <QApplication>
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QHeaderView>
#include <QFileDialog>
#include <QFileInfo>
#include <QDateTime>
#include <functional>
#include <map>
#include <optional>
#include <filesystem>

#include "comum/arquivos.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "plataforma/qt/espelho_qt.h"
#include "plataforma/qt/figuras_do_semaforo.h"
#include "plataforma/qt/servicos_qt.h"
#include "comum/servicos_de_teste.h"
#include "editor/tela_principal.h"
#include "modelo/valores_da_animacao.h"
#include "resultados/apresentacao.h"
#include "resultados/diagrama_de_barras_final.h"
#include "resultados/rede_dinamica.h"
#include "resultados/relatorio.h"

namespace orvel {
namespace {

TEST(figuras_do_semaforo, uma_luz_acesa_por_figura) {
    struct caso {
        const char* nome;
        int acesa;  // 0 de cima, 1 do meio, 2 de baixo
        QColor cor;
    };
    for (const caso& c : {caso{"semaforo_vermelho", 0, QColor(255, 26, 34)}, caso{"semaforo_amarelo", 1, QColor(255, 255, 0)},
                          caso{"semaforo_verde", 2, QColor(0, 200, 120)}}) {
        const QImage f = figura_do_semaforo(c.nome, QSize(478, 478));
        ASSERT_EQ(f.size(), QSize(478, 478)) << c.nome;
        EXPECT_EQ(f.pixelColor(3, 3), QColor(Qt::black));                 // o fundo
        EXPECT_EQ(f.pixelColor(239, 60), QColor(255, 204, 0)) << c.nome;  // a placa
        for (int luz = 0; luz < 3; ++luz) {
            const QColor cor = f.pixelColor(239, 158 + 81 * luz);
            if (luz == c.acesa) EXPECT_EQ(cor, c.cor) << c.nome;
            else EXPECT_LT(cor.value(), 80) << c.nome << " luz " << luz;
        }
    }
    EXPECT_TRUE(figura_do_semaforo("outra", QSize(478, 478)).isNull());
    EXPECT_EQ(figura_do_semaforo("semaforo_verde", QSize(200, 100)).size(), QSize(200, 100));
}

class vistas_no_qt : public teste::com_espelho_qt {
protected:
    // Roda `mostrar`, que abre um diálogo modal; `olhar` o vê aberto, e então ele é fechado.
    static void com_o_dialogo_aberto(const std::function<void(QWidget&)>& olhar, const std::function<void()>& mostrar) {
        QTimer::singleShot(0, [olhar] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                olhar(*d);
                d->close();
            }
        });
        mostrar();
    }

    servicos_qt servicos;
    teste::pasta_temporaria pasta;
};

class janela_impressa : public formulario {
public:
    janela_impressa() : formulario("janela_impressa") {
        Width = 6000;
        Height = 4500;
        r.Left = 300;
        r.Top = 300;
        r.Width = 2000;
        r.Height = 400;
        r.Caption = "Rede  Centro";
    }
    rotulo r{*this, "r"};
};

TEST_F(vistas_no_qt, imprime_a_imagem_da_janela_visivel) {
    QPrinter& p = servicos.impressora();
    p.setOutputFormat(QPrinter::PdfFormat);
    const std::string arquivo = pasta.arquivo("desenho.pdf");
    p.setOutputFileName(QString::fromStdString(arquivo));

    janela_impressa& j = formulario_unico<janela_impressa>();
    servicos.imprimir_janela(j);  // escondida: nada a imprimir
    EXPECT_FALSE(std::filesystem::exists(arquivo));

    j.Show();
    QApplication::processEvents();
    servicos.imprimir_janela(j);
    const std::string pdf = teste::conteudo(arquivo);
    EXPECT_TRUE(pdf.starts_with("%PDF")) << pdf.size();
    EXPECT_GT(pdf.size(), 1000u);
}

// Sem impressora instalada, a falha da impressão diz que não há impressora.
TEST_F(vistas_no_qt, imprimir_sem_impressora_diz_por_que) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "há impressora nesta máquina";
    janela_impressa& j = formulario_unico<janela_impressa>();
    j.Show();
    try {
        servicos.imprimir_janela(j);
        ADD_FAILURE() << "imprimiu sem impressora";
    } catch (const falha& f) {
        EXPECT_EQ(f.descricao(), "Não foi possível imprimir: nenhuma impressora instalada");
    }
}

TEST_F(vistas_no_qt, configurar_com_titulo_e_paisagem) {
    servicos.impressora().setOutputFormat(QPrinter::PdfFormat);
    QString titulo;
    com_o_dialogo_aberto([&](QWidget& d) { titulo = d.windowTitle(); },
                         [&] { servicos.configurar_impressora("Configurar impressora", orientacao_paisagem); });
    EXPECT_EQ(titulo, "Configurar impressora");
    EXPECT_EQ(servicos.impressora().pageLayout().orientation(), QPageLayout::Landscape);
}

// A caixa de mensagem com pouco texto fica larga bastante para o título inteiro, com o ícone e
// os botões da barra de título ao lado.
TEST_F(vistas_no_qt, caixa_de_mensagem_nunca_corta_o_titulo) {
    const std::string titulo = "ORVEL - um projeto de nome bem comprido.xml";
    int largura = 0;
    QFont fonte;
    com_o_dialogo_aberto(
        [&](QWidget& d) {
            largura = d.width();
            fonte = d.font();
        },
        [&] { servicos.caixa_de_mensagem("Estouro", estilo_ok | icone_exclamacao, titulo); });
    fonte.setBold(true);
    EXPECT_GE(largura, QFontMetrics(fonte).horizontalAdvance(QString::fromStdString(titulo)) + 100);
}

// O aviso que não espera volta com a caixa aberta e sem modalidade (o laço de quem chamou segue);
// pedido de novo com ela aberta, não abre outra; o OK a fecha e a destrói.
TEST_F(vistas_no_qt, aviso_sem_esperar_volta_com_a_caixa_aberta) {
    auto caixas_abertas = [] {
        QList<QMessageBox*> v;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(w); m != nullptr && m->isVisible()) v << m;
        return v;
    };
    servicos.aviso_sem_esperar("Aguarde o fim do processamento", "Aviso");
    ASSERT_EQ(caixas_abertas().size(), 1);
    QMessageBox* caixa = caixas_abertas().front();
    EXPECT_EQ(caixa->text(), "Aguarde o fim do processamento");
    EXPECT_EQ(caixa->windowTitle(), "Aviso");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    servicos.aviso_sem_esperar("Aguarde o fim do processamento", "Aviso");
    EXPECT_EQ(caixas_abertas().size(), 1);
    ASSERT_EQ(caixa->buttons().size(), 1);
    EXPECT_EQ(caixa->buttons().front()->text(), "OK");
    const QPointer<QMessageBox> destruida = caixa;
    caixa->buttons().front()->click();
    QApplication::processEvents();
    EXPECT_TRUE(caixas_abertas().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(destruida.isNull());
}

// Os diálogos de abrir e de salvar. O de abrir só aceita um arquivo que existe; o de salvar
// aceita qualquer nome e não pergunta se substitui (quem pergunta é o programa). Os dois falam
// português (o programa instala a tradução do próprio Qt): os botões e as colunas (o tipo de
// uma pasta, a data, o tamanho), que mostram o que têm inteiro, os nomes longos também, com as
// outras colunas à vista.
TEST_F(vistas_no_qt, modos_botoes_e_colunas_dos_dialogos_de_abrir_e_de_salvar) {
    ASSERT_TRUE(instalar_traducao_do_qt());
    teste::escrever(pasta.arquivo("rede.xml"), "<rss/>");
    std::filesystem::create_directory(pasta.arquivo("sub"));
    for (const char* longo : {"grade_5x5_ciclo_60_duracao_1h.xml", "projeto_de_teste_bem_pequeno.xml"})
        teste::escrever(pasta.arquivo(longo), "<rss/>");
    const parametros_do_dialogo p{"Arquivo", "XML's (*.xml)|*.xml", pasta.arquivo(""), ""};
    struct caso {
        const char* dialogo;
        std::function<std::optional<std::string>()> mostrar;
        QFileDialog::FileMode modo;
        bool sem_pergunta_de_substituir;
    };
    const caso casos[] = {{"abrir", [&] { return servicos.dialogo_abrir(p); }, QFileDialog::ExistingFile, false},
                          {"salvar", [&] { return servicos.dialogo_salvar(p); }, QFileDialog::AnyFile, true}};
    for (const caso& k : casos) {
        SCOPED_TRACE(k.dialogo);
        std::optional<QFileDialog::FileMode> modo;
        bool sem_pergunta = false;
        QStringList botoes, cabecalhos;
        std::map<QString, QStringList> linhas;
        std::vector<std::string> cortados;
        std::optional<std::string> escolhido;
        com_o_dialogo_aberto(
            [&](QWidget& d) {
                if (auto* f = qobject_cast<QFileDialog*>(&d)) {
                    modo = f->fileMode();
                    sem_pergunta = f->testOption(QFileDialog::DontConfirmOverwrite);
                }
                if (auto* caixa = d.findChild<QDialogButtonBox*>())
                    for (QAbstractButton* b : caixa->buttons()) botoes << b->text();
                auto* detalhes = d.findChild<QTreeView*>("treeView");
                if (!detalhes) return;
                const QAbstractItemModel* m = detalhes->model();
                const QModelIndex raiz = detalhes->rootIndex();
                for (int i = 0; i < 400 && m->rowCount(raiz) < 4; ++i) QTest::qWait(5);
                QTest::qWait(50);
                for (int c = 0; c < m->columnCount(); ++c) {
                    cabecalhos << m->headerData(c, Qt::Horizontal).toString();
                    if (detalhes->header()->sectionSize(c) < detalhes->header()->sectionSizeHint(c))
                        cortados.push_back(cabecalhos.back().toStdString());
                }
                for (int r = 0; r < m->rowCount(raiz); ++r) {
                    QStringList v;
                    for (int c = 0; c < m->columnCount(); ++c) {
                        const QModelIndex i = m->index(r, c, raiz);
                        v << i.data().toString();
                        const QRect onde = detalhes->visualRect(i);
                        if (onde.width() < detalhes->sizeHintForIndex(i).width() || onde.left() < 0 ||
                            onde.right() >= detalhes->viewport()->width())
                            cortados.push_back(v.back().toStdString());
                    }
                    linhas[v.front()] = v;
                }
            },
            [&] { escolhido = k.mostrar(); });
        EXPECT_EQ(modo, k.modo);
        EXPECT_EQ(sem_pergunta, k.sem_pergunta_de_substituir);
        EXPECT_EQ(escolhido, std::nullopt);
        EXPECT_TRUE(botoes.contains("Cancelar")) << botoes.join(", ").toStdString();
        EXPECT_FALSE(botoes.contains("Cancel"));
        EXPECT_EQ(cabecalhos, (QStringList{"Nome", "Tamanho", "Tipo", QString::fromUtf8("Data de modificação")}));
        EXPECT_EQ(linhas.size(), 4u);
        ASSERT_EQ(linhas.count("sub"), 1u);
        ASSERT_EQ(linhas.count("rede.xml"), 1u);
        EXPECT_EQ(linhas["sub"].value(2), "Pasta");
        EXPECT_EQ(linhas["rede.xml"].value(1), "6 bytes");
        EXPECT_EQ(linhas["rede.xml"].value(2), "Documento XML");
        const QDateTime quando = QFileInfo(QString::fromStdString(pasta.arquivo("rede.xml"))).lastModified();
        EXPECT_EQ(linhas["rede.xml"].value(3), quando.toString("dd/MM/yyyy HH:mm"));
        EXPECT_EQ(cortados, std::vector<std::string>{});
    }
}

class janela_com_pagina : public formulario {
public:
    janela_com_pagina() : formulario("janela_com_pagina") {
        Width = 6000;
        Height = 4500;
        WebBrowser1.Width = 5000;
        WebBrowser1.Height = 4000;
    }
    navegador WebBrowser1{*this, "WebBrowser1"};
};

// O navegador não segue link algum que leve a um arquivo ou para fora da página.
TEST_F(vistas_no_qt, navegador_recusa_link_para_arquivo) {
    const std::string segredo = pasta.arquivo("segredo.html");
    teste::escrever(segredo, "<p>SEGREDO</p>");
    const std::string pagina = pasta.arquivo("pagina.html");
    teste::escrever(pagina, "<html><body><p><a href=\"file://" + segredo + "\">absoluto</a></p>"
                            "<p><a href=\"segredo.html\">relativo</a></p>"
                            "<p><a href=\"http://127.0.0.1:9/x.html\">rede</a></p></body></html>");
    janela_com_pagina& j = formulario_unico<janela_com_pagina>();
    j.Show();
    QApplication::processEvents();
    j.WebBrowser1.Navigate(pagina);
    auto* b = qobject_cast<QTextBrowser*>(espelho.janela_de(j)->widget_de(&j.WebBrowser1));
    ASSERT_NE(b, nullptr);
    const QUrl inicio = b->source();
    ASSERT_TRUE(b->toPlainText().contains("absoluto"));
    // Pelo teclado: Tab leva ao próximo link, Enter o ativa.
    for (int link = 0; link < 3; ++link) {
        QTest::keyClick(b, Qt::Key_Tab);
        ASSERT_TRUE(b->textCursor().hasSelection()) << link;
        QTest::keyClick(b, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(b->source(), inicio) << link;
        EXPECT_FALSE(b->toPlainText().contains("SEGREDO")) << link;
    }
}

// O navegador do relatório só mostra o projeto transformado: um arquivo que não se transforma,
// mesmo com a extensão .html, dá um "Aviso" e uma página vazia.
TEST_F(vistas_no_qt, navegador_do_relatorio_nunca_mostra_o_arquivo_cru) {
    servicos_de_teste s;
    s.pasta = pasta.caminho().string();  // sem modelo_orvel.xsl: a transformação falha
    espelho_qt::conversor_para_html() = pagina_do_relatorio;
    janela_com_pagina& j = formulario_unico<janela_com_pagina>();
    j.WebBrowser1.mostra_projeto = true;
    j.Show();
    QApplication::processEvents();
    auto* b = qobject_cast<QTextBrowser*>(espelho.janela_de(j)->widget_de(&j.WebBrowser1));
    ASSERT_NE(b, nullptr);

    const std::string projeto = pasta.arquivo("projeto.html");
    teste::escrever(projeto, "<?xml version=\"1.0\"?>\n<rss><rede><nome_da_rede_dado>CRU</nome_da_rede_dado></rede></rss>\n");
    j.WebBrowser1.Navigate(projeto);
    EXPECT_TRUE(b->toPlainText().isEmpty());
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "não foi possível montar o relatório do arquivo projeto.html");
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    // Com a folha, o mesmo arquivo vira o relatório.
    teste::escrever(pasta.arquivo("modelo_orvel.xsl"),
                    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                    "<xsl:template match=\"/\"><p>Rede <xsl:value-of select=\"/rss/rede/nome_da_rede_dado\"/></p>"
                    "</xsl:template></xsl:stylesheet>");
    j.WebBrowser1.Navigate(projeto);
    EXPECT_EQ(b->toPlainText().trimmed(), "Rede CRU");
    espelho_qt::conversor_para_html() = nullptr;
}

// A apresentação é a figura sem moldura, do tamanho da figura, onde os dados a põem.
TEST_F(vistas_no_qt, apresentacao_sem_moldura_do_tamanho_da_figura) {
    servicos_de_teste s;
    formulario& a = frmApresentacao_orvel_versao2();
    a.Show();
    QApplication::processEvents();
    janela_qt* j = espelho.janela_de(a);
    ASSERT_NE(j, nullptr);
    EXPECT_TRUE(j->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(j->frameGeometry(), j->geometry());
    EXPECT_EQ(j->geometry(), QRect(static_cast<int>(a.Left / 15), static_cast<int>(a.Top / 15), 478, 478));
}

// O temporizador de verdade leva a apresentação até a janela principal.
TEST_F(vistas_no_qt, apresentacao_pelo_temporizador_do_qt) {
    servicos_de_teste s;
    apresentacao_encerrada = false;
    frmApresentacao_orvel_versao2().Show();
    auto esperar = [](auto condicao) {
        for (int i = 0; i < 200 && !condicao(); ++i) QTest::qWait(5);
        return condicao();
    };
    ASSERT_TRUE(esperar([] { return tela_principal_carregada(); }));
    EXPECT_TRUE(esperar([] { return tela_principal_completa().LblVersao.Visible; }));
    EXPECT_FALSE(frmTela_principal_versao2().Visible);
    s.segundos = 4.5;
    EXPECT_TRUE(esperar([] { return apresentacao_encerrada; }));
    EXPECT_TRUE(frmTela_principal_versao2().Visible);
    EXPECT_FALSE(tela_principal_completa().LblVersao.Visible);
    apresentacao_encerrada = false;
}

// Alt+F4 (ou o botão de fechar da moldura) sobre a apresentação não encerra o programa: a
// janela fica, e no fim dela a janela principal aparece.
TEST_F(vistas_no_qt, apresentacao_sobrevive_ao_pedido_de_fechar) {
    servicos_de_teste s;
    s.segundos = 0.5;
    apresentacao_encerrada = false;
    frmApresentacao_orvel_versao2().Show();
    janela_qt* j = espelho.janela_de(frmApresentacao_orvel_versao2());
    ASSERT_NE(j, nullptr);
    bool ultima_fechada = false;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, j, [&] { ultima_fechada = true; });
    EXPECT_FALSE(j->close());
    QApplication::processEvents();
    EXPECT_FALSE(ultima_fechada);
    ASSERT_TRUE(apresentacao_unica().carregado());
    EXPECT_TRUE(apresentacao_unica().Visible);
    EXPECT_TRUE(j->isVisible());
    EXPECT_FALSE(apresentacao_encerrada);
    // A apresentação acaba pelo tempo, como sempre, e mostra a janela principal.
    s.segundos = 4.75;
    for (int i = 0; i < 200 && !apresentacao_encerrada; ++i) QTest::qWait(5);
    EXPECT_TRUE(apresentacao_encerrada);
    EXPECT_TRUE(frmTela_principal_versao2().Visible);
    apresentacao_encerrada = false;
}

// As vistas de resultados abertas da janela principal, com as mensagens roteirizadas.
class vistas_da_principal_no_qt : public teste::com_janela_principal {
protected:
    void TearDown() override {
        teste::com_janela_principal::TearDown();
        QApplication::processEvents();
    }
    QImage imagem(formulario& f, const char* nome) {
        espelho.sincronizar();
        auto* j = espelho.janela_de(f);
        auto* w = j ? j->findChild<QWidget*>(nome) : nullptr;
        EXPECT_NE(w, nullptr) << nome;
        return w ? w->grab().toImage() : QImage();
    }
    // Todos os pixels da volta da imagem têm a cor dada.
    static bool volta_toda(const QImage& i, QColor c) {
        for (int x = 0; x < i.width(); ++x)
            if (i.pixelColor(x, 0) != c || i.pixelColor(x, i.height() - 1) != c) return false;
        for (int y = 0; y < i.height(); ++y)
            if (i.pixelColor(0, y) != c || i.pixelColor(i.width() - 1, y) != c) return false;
        return true;
    }
    espelho_qt espelho;
};

TEST_F(vistas_da_principal_no_qt, caixas_do_diagrama_final_ficam_planas_e_sem_borda_depois_de_apl) {
    auto& d = diagrama_de_barras_final_unico();
    d.Show();
    d.Text1.Text = "Cruzamento A";
    d.Text2.Text = "Rede  Centro";
    // No estado de entrada as caixas têm a borda tridimensional.
    EXPECT_FALSE(volta_toda(imagem(d, "Text1"), Qt::white));
    despachar_evento(&d, [&] {
        d.Text3.Text = "X";
        d.Command2.Click();
    });
    ASSERT_EQ(s.mensagens.size(), 1u);  // não existe nenhum nó com este nome
    for (const char* nome : {"Text1", "Text2"}) {
        const QImage i = imagem(d, nome);
        EXPECT_TRUE(volta_toda(i, Qt::white)) << nome;
        // O texto continua lá, escuro sobre o branco.
        bool escuro = false;
        for (int x = 0; x < i.width() && !escuro; ++x)
            for (int y = 0; y < i.height() && !escuro; ++y) escuro = i.pixelColor(x, y).value() < 100;
        EXPECT_TRUE(escuro) << nome;
    }
}

// Depois de "Apl" e de "Imp", nenhuma caixa do diagrama fica com o foco: nenhum texto
// selecionado nem cursor de texto, na tela nem no papel.
TEST_F(vistas_da_principal_no_qt, caixas_do_diagrama_final_sem_selecao_nem_cursor_depois_de_apl) {
    auto& d = diagrama_de_barras_final_unico();
    d.Show();
    espelho.sincronizar();
    janela_qt* j = espelho.janela_de(d);
    ASSERT_NE(j, nullptr);
    j->activateWindow();
    QApplication::processEvents();
    auto* nome = qobject_cast<QLineEdit*>(j->widget_de(&d.Text1));
    auto* codigo = qobject_cast<QLineEdit*>(j->widget_de(&d.Text3));
    ASSERT_TRUE(nome && codigo);
    EXPECT_TRUE(nome->hasFocus());  // o estado de entrada põe o foco no nome do nó
    QTest::keyClicks(nome, "Cruzamento A");
    QTest::mouseClick(codigo, Qt::LeftButton);
    QTest::keyClicks(codigo, "X");
    auto nenhuma_caixa_com_foco = [&](const char* quando) {
        espelho.sincronizar();
        QApplication::processEvents();
        for (QLineEdit* e : j->findChildren<QLineEdit*>()) {
            EXPECT_FALSE(e->hasFocus()) << quando << ": " << e->objectName().toStdString();
            EXPECT_FALSE(e->hasSelectedText()) << quando << ": " << e->objectName().toStdString();
        }
    };
    QTest::mouseClick(j->widget_de(&d.Command2), Qt::LeftButton);
    ASSERT_FALSE(d.Command2.Visible);
    nenhuma_caixa_com_foco("depois de Apl");
    EXPECT_EQ(d.Text1.Text.texto(), "Cruzamento A");
    QTest::mouseClick(j->widget_de(&d.Command1), Qt::LeftButton);
    ASSERT_FALSE(d.Command1.Visible);
    nenhuma_caixa_com_foco("depois de Imp");
}

TEST_F(vistas_da_principal_no_qt, caixa_da_escala_da_rede_dinamica_e_cinza) {
    auto& r = rede_dinamica_unica();
    r.Show();
    const QImage i = imagem(r, "Text1");
    ASSERT_FALSE(i.isNull());
    EXPECT_EQ(i.pixelColor(i.width() - 4, i.height() / 2), QColor(206, 206, 206));
    // O botão de interromper, rosado.
    const QImage b = imagem(r, "Command2");
    const QColor canto = b.pixelColor(3, b.height() / 2);
    EXPECT_GE(canto.red() - canto.green(), 15) << canto.name().toStdString();
}

// Os dois botões de figura da rede dinâmica dizem o que fazem na dica.
TEST_F(vistas_da_principal_no_qt, botoes_da_rede_dinamica_com_dicas) {
    auto& r = rede_dinamica_unica();
    r.Show();
    espelho.sincronizar();
    auto* j = espelho.janela_de(r);
    ASSERT_NE(j, nullptr);
    auto* iniciar = j->findChild<QAbstractButton*>("Command1");
    auto* parar = j->findChild<QAbstractButton*>("Command2");
    ASSERT_TRUE(iniciar && parar);
    EXPECT_EQ(iniciar->toolTip(), QString::fromUtf8("Iniciar apresentação"));
    EXPECT_EQ(parar->toolTip(), QString::fromUtf8("Parar apresentação"));
    // A dica segue os dados.
    r.Command2.ToolTipText.clear();
    espelho.sincronizar();
    EXPECT_EQ(parar->toolTip(), QString());
}

}  // namespace
}  // namespace orvel
