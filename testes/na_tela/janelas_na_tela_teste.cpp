// Cada janela do programa mostrada muitas vezes numa tela de verdade, com o gerenciador de
// janelas: a cada vez ela aparece (mapeada, à vista), com a moldura onde os dados a põem e
// dentro da tela, e fecha pelo gerenciador (o Alt+F4); a janela modal devolve o comando que a
// mostrou quando é fechada.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QThread>
#include <QWindow>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "comum/pasta_temporaria.h"
#include "comum/servicos_de_teste.h"
#include "editor/estado_dos_comandos.h"
#include "editor/tela_principal.h"
#include "modelo/estado_do_editor.h"
#include "modelo/valores_da_animacao.h"
#include "resultados/apresentacao.h"
#include "na_tela/tela_x.h"
#include "plataforma/qt/espelho_qt.h"
#include "resultados/vistas_de_teste.h"

namespace orvel {
namespace {

using relogio = std::chrono::steady_clock;
using teste::tela_x;
using namespace std::chrono_literals;

constexpr int vezes = 30;
// O limite de cada espera, largo para uma máquina carregada: a espera acaba assim que a tela
// mostra o que se espera.
constexpr auto espera = 10s;
const QRect a_tela(0, 0, 1600, 1000);

// As janelas cujo tamanho de projeto é o do interior (a moldura fica em volta); nas outras, é o
// da moldura.
const std::set<std::string> medidas_pelo_interior = {"frmNome_da_rede_versao2", "frmDiagrama_de_barras_final_versao2"};

// Os diálogos do programa, que ficam acima da janela principal.
const std::set<std::string> dialogos = {"frmRede_versao2", "frmNome_da_rede_versao2", "frmEditarNo_versao2",
                                        "frmEditarLink_versao2", "frmDiagrama_de_barras_final_versao2"};

std::string texto(const QRect& r) {
    std::ostringstream s;
    s << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    return s.str();
}

class janelas_na_tela : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.conectada());
        // A folha do relatório e a página de ajuda ficam na pasta da compilação.
        s.pasta = ORVEL_PASTA_DO_PROGRAMA;
        destruir_todas_as_janelas();
        espelho_qt::ler_a_tela();
        ASSERT_EQ(tela().TwipsPerPixelX, 15.0f);
        ASSERT_EQ(tela().Width, 24000.0f);
        max_indice_no = 0;
        max_indice_link = 0;
        agir(t(), [this] { t().Show(); });
        x.acompanhar_as_molduras();
        const tela_x::janela p = esperar_no_lugar(t());
        ASSERT_TRUE(p.mapeada) << "janela principal: Qt " << espelho.janela_de(t())->isVisible() << " exposta "
                               << espelho.janela_de(t())->windowHandle()->isExposed() << ", moldura " << texto(p.moldura);
    }
    void TearDown() override {
        destruir_todas_as_janelas();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    tela_principal& t() { return tela_principal_completa(); }

    static void agir(formulario& f, const std::function<void()>& acao) { despachar_evento(&f, acao); }

    static formulario* carregada(const std::string& nome) {
        for (formulario* f : janelas_carregadas())
            if (f->nome() == nome) return f;
        return nullptr;
    }

    // Onde os dados põem a janela, em pixels: a moldura (ou o interior, nas medidas por ele).
    static QRect dos_dados(const formulario& f) {
        return QRect(static_cast<int>(f.Left / 15), static_cast<int>(f.Top / 15), static_cast<int>(f.Width / 15),
                     static_cast<int>(f.Height / 15));
    }

    static bool no_lugar(const std::string& nome, const QRect& d, const tela_x::janela& j) {
        if (j.moldura.topLeft() != d.topLeft()) return false;
        return medidas_pelo_interior.count(nome) ? j.interior.size() == d.size() : j.moldura.size() == d.size();
    }
    static bool no_lugar(const formulario& f, const tela_x::janela& j) { return no_lugar(f.nome(), dos_dados(f), j); }

    tela_x::janela ler(formulario& f) {
        janela_qt* j = espelho.janela_de(f);
        return j ? x.ler(static_cast<xcb_window_t>(j->winId())) : tela_x::janela{};
    }

    // Espera a janela aparecer no lugar dos dados; devolve o que a tela mostra.
    tela_x::janela esperar_no_lugar(formulario& f) {
        const auto limite = relogio::now() + espera;
        tela_x::janela r;
        for (;;) {
            QApplication::processEvents();
            r = ler(f);
            if ((r.mapeada && no_lugar(f, r)) || relogio::now() > limite) return r;
            QThread::msleep(1);
        }
    }

    // O que uma vez mostrada precisa ter: à vista, com a moldura no lugar dos dados e na tela.
    // Da segunda vez em diante (quando a tela já disse as margens da moldura de uma janela do
    // mesmo feitio), a moldura de uma janela nova já aparece ali, sem pular depois; sem
    // `ao_aparecer`, isso não é conferido.
    static void conferir(const std::string& nome, const QRect& dados, const tela_x::janela& r, int vez,
                         std::optional<std::optional<QRect>> ao_aparecer) {
        const std::string quem = nome + ", vez " + std::to_string(vez + 1);
        EXPECT_TRUE(r.mapeada) << quem << ": não apareceu";
        EXPECT_TRUE(a_tela.contains(r.moldura.topLeft())) << quem << ": moldura " << texto(r.moldura) << " fora da tela";
        if (a_tela.contains(dados)) {
            EXPECT_TRUE(a_tela.contains(r.moldura)) << quem << ": moldura " << texto(r.moldura);
        }
        EXPECT_TRUE(no_lugar(nome, dados, r)) << quem << ": moldura " << texto(r.moldura) << ", interior " << texto(r.interior)
                                              << ", dados " << texto(dados);
        if (vez > 0 && ao_aparecer) {
            ASSERT_TRUE(ao_aparecer->has_value()) << quem;
            const QRect& primeira = **ao_aparecer;
            // O diálogo do nome é movido pelo próprio comando depois de aparecer.
            if (nome == "frmNome_da_rede_versao2") {
                EXPECT_EQ(primeira.size(), r.moldura.size()) << quem << ": a moldura apareceu de outro tamanho";
            } else {
                EXPECT_EQ(texto(primeira), texto(r.moldura)) << quem << ": a moldura apareceu noutro lugar";
            }
        }
    }
    void conferir(formulario& f, const tela_x::janela& r, int vez) {
        conferir(f.nome(), dos_dados(f), r, vez, x.moldura_ao_aparecer(janela_x(f)));
    }
    // A janela escondida e mostrada de novo: o gerenciador ainda pode mapeá-la, por um
    // instante, onde estava a vez anterior; ela vai para o lugar dos dados logo depois.
    void conferir_mostrada_de_novo(formulario& f, const tela_x::janela& r, int vez) {
        conferir(f.nome(), dos_dados(f), r, vez, std::nullopt);
    }

    xcb_window_t janela_x(formulario& f) { return static_cast<xcb_window_t>(espelho.janela_de(f)->winId()); }

    // Fecha pelo gerenciador e espera a janela sumir da tela e ser descarregada.
    void fechar(const std::string& nome, int vez) {
        formulario* f = carregada(nome);
        ASSERT_NE(f, nullptr) << nome;
        janela_qt* j = espelho.janela_de(*f);
        ASSERT_NE(j, nullptr) << nome;
        const auto janela = static_cast<xcb_window_t>(j->winId());
        x.fechar_pelo_gerenciador(janela);
        const auto limite = relogio::now() + espera;
        while ((carregada(nome) || x.ler(janela).mapeada) && relogio::now() < limite) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
        EXPECT_EQ(carregada(nome), nullptr) << nome << ", vez " << vez + 1 << ": não fechou";
        EXPECT_FALSE(x.ler(janela).mapeada) << nome << ", vez " << vez + 1 << ": continua na tela";
    }

    // Mostra a janela pelo comando, confere e a fecha, tantas vezes.
    void mostrar_e_fechar(const std::string& nome, const std::function<void()>& comando) {
        for (int vez = 0; vez < vezes; ++vez) {
            agir(t(), comando);
            formulario* f = carregada(nome);
            ASSERT_NE(f, nullptr) << nome << ", vez " << vez + 1 << ": o comando não a abriu";
            ASSERT_TRUE(f->Visible) << nome;
            conferir(*f, esperar_no_lugar(*f), vez);
            if (vez == 0) {
                // O ícone do programa, e o diálogo transitório da janela principal.
                EXPECT_GT(x.tamanho_da_propriedade(janela_x(*f), "_NET_WM_ICON"), 0u) << nome;
                if (dialogos.count(nome)) {
                    EXPECT_EQ(x.transitoria_de(janela_x(*f)), janela_x(t())) << nome;
                }
            }
            fechar(nome, vez);
            if (HasFailure()) return;
        }
    }

    // A grade desenhada e processada com "Processar", salva num arquivo.
    void processar_a_grade(int linhas = 2, int colunas = 3) {
        nome_do_arquivo.clear();
        teste::montar_rede_em_grade(linhas, colunas, 90);
        teste::desenhar_a_rede(t());
        aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
        s.respostas_salvar = {pasta.arquivo("grade.xml")};
        t().processar_button.Click();
        ASSERT_TRUE(s.mensagens.empty()) << s.mensagens.front().texto;
        ASSERT_EQ(contexto().derivados.t_de_ciclo, 90);
    }

    servicos_de_teste s;
    espelho_qt espelho;
    teste::tela_x x;
    teste::pasta_temporaria pasta;
};

TEST_F(janelas_na_tela, janela_principal_escondida_e_mostrada) {
    for (int vez = 0; vez < vezes; ++vez) {
        agir(t(), [this] { t().Hide(); });
        const auto janela = static_cast<xcb_window_t>(espelho.janela_de(t())->winId());
        const auto limite = relogio::now() + espera;
        while (x.ler(janela).mapeada && relogio::now() < limite) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
        ASSERT_FALSE(x.ler(janela).mapeada) << "vez " << vez + 1;
        agir(t(), [this] { t().Show(); });
        conferir_mostrada_de_novo(t(), esperar_no_lugar(t()), vez);
        if (HasFailure()) return;
    }
}

TEST_F(janelas_na_tela, dialogos_da_rede) {
    mostrar_e_fechar("frmRede_versao2", [this] { t().mnuEditarRede_Click(); });
    mostrar_e_fechar("frmNome_da_rede_versao2", [this] { t().mnuNomeRede_Click(); });
}

TEST_F(janelas_na_tela, editores_de_no_e_de_link_com_as_opcoes_abertas_atras) {
    processar_a_grade();
    // As opções ficam abertas atrás do editor de nó.
    agir(t(), [this] { t().mnuEditarRede_Click(); });
    ASSERT_NE(carregada("frmRede_versao2"), nullptr);
    mostrar_e_fechar("frmEditarNo_versao2", [this] {
        no_selecionado = 2;
        t().editar_no_button_Click();
    });
    mostrar_e_fechar("frmEditarLink_versao2", [this] {
        link_selecionado = 3;
        t().editar_link_button_Click();
    });
}

TEST_F(janelas_na_tela, vistas_dos_resultados) {
    processar_a_grade();
    mostrar_e_fechar("frmDiagrama_de_barras_final_versao2", [this] { t().relatorio_diagrama_de_barras_button_Click(); });
    mostrar_e_fechar("frmBrowse", [this] { t().relatorio_tela_button_Click(); });
    mostrar_e_fechar("frmAjuda", [this] { t().mnuAjuda_Click(); });
}

// A apresentação aparece sem moldura, do tamanho da figura; depois de uma tecla nela, a versão
// fica à vista no canto de baixo à direita do interior da janela principal.
TEST_F(janelas_na_tela, apresentacao_e_a_versao_na_janela_principal) {
    destruir_todas_as_janelas();  // o programa começa pela apresentação
    apresentacao_encerrada = false;
    formulario& a = frmApresentacao_orvel_versao2();
    agir(a, [&] { a.Show(); });
    const tela_x::janela r = esperar_no_lugar(a);
    EXPECT_TRUE(r.mapeada);
    EXPECT_EQ(texto(r.interior), texto(QRect(dos_dados(a).topLeft(), QSize(478, 478))));
    EXPECT_EQ(texto(r.moldura), texto(r.interior));
    // Os tiques põem a versão na janela principal, que ainda não apareceu.
    const auto limite = relogio::now() + espera;
    while (!(tela_principal_carregada() && t().LblVersao.Visible) && relogio::now() < limite) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
    ASSERT_TRUE(t().LblVersao.Visible);
    // Do segundo tique em diante a posição conta com o tamanho da versão (o primeiro usa o de
    // antes do texto).
    QTest::qWait(100);
    QTest::keyClick(espelho.janela_de(a), Qt::Key_Space);
    ASSERT_TRUE(t().Visible);
    EXPECT_TRUE(esperar_no_lugar(t()).mapeada);
    const rotulo& v = t().LblVersao;
    EXPECT_TRUE(v.Visible);
    const QWidget* interior = espelho.janela_de(t())->superficie();
    const QRect versao(static_cast<int>(v.Left / 15), static_cast<int>(v.Top / 15), static_cast<int>(v.Width / 15),
                       static_cast<int>(v.Height / 15));
    EXPECT_TRUE(interior->rect().contains(versao)) << "versão em " << texto(versao) << ", interior " << texto(interior->rect());
    // No canto: mais perto da direita e de baixo do que de qualquer outro lado.
    EXPECT_LT(interior->width() - versao.right(), 40);
    EXPECT_LT(interior->height() - versao.bottom(), 60);
    apresentacao_encerrada = false;
}

// A rede animada é modal: o comando só volta quando ela fecha. Um temporizador confere a
// janela de dentro do laço modal e a fecha pelo gerenciador; um vigia a descarrega se o laço
// não terminar (o programa que não responde mais).
TEST_F(janelas_na_tela, rede_dinamica_modal_fecha_pelo_gerenciador) {
    // Uma grade grande: com ela, a janela modal escondida e mostrada de novo logo ao aparecer
    // ficava sem mapear em poucas vezes.
    processar_a_grade(5, 9);
    const std::string nome = "frmRede_dinamica_versao2";
    for (int vez = 0; vez < vezes; ++vez) {
        tela_x::janela vista;
        std::optional<QRect> ao_aparecer;
        QRect dados;
        bool pedida = false, presa = false;
        const auto inicio = relogio::now();
        QTimer vigia;
        vigia.setInterval(1);
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            formulario* f = carregada(nome);
            if (!f) return;
            const tela_x::janela r = ler(*f);
            const auto passado = relogio::now() - inicio;
            dados = dos_dados(*f);
            if (!pedida && r.mapeada && (no_lugar(*f, r) || passado > espera)) {
                vista = r;
                ao_aparecer = x.moldura_ao_aparecer(janela_x(*f));
                pedida = true;
                x.fechar_pelo_gerenciador(static_cast<xcb_window_t>(espelho.janela_de(*f)->winId()));
            } else if (!presa && passado > 2 * espera) {
                presa = true;
                if (!pedida) vista = r;
                despachar_evento(f, [f] { f->Unload(); });
            }
        });
        vigia.start();
        agir(t(), [this] { t().tela_dinamica_button_Click(); });
        vigia.stop();
        ASSERT_TRUE(pedida || presa) << "vez " << vez + 1 << ": a janela não foi mostrada";
        EXPECT_FALSE(presa) << "vez " << vez + 1 << ": o laço modal não terminou; a janela " << (vista.mapeada ? "" : "não ")
                            << "estava à vista";
        if (pedida) conferir(nome, dados, vista, vez, std::optional<std::optional<QRect>>(ao_aparecer));
        EXPECT_EQ(carregada(nome), nullptr) << "vez " << vez + 1;
        EXPECT_EQ(t().MousePointer, ponteiro_padrao);
        if (presa) return;
    }
}

}  // namespace
}  // namespace orvel
