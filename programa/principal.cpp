// O programa: instala os serviços e o espelho do Qt, lê a tela e abre a janela de apresentação,
// que carrega e mostra a janela principal.

#include <QApplication>
#include <QLocale>

#include "editor/janelas.h"
#include "plataforma/numeros.h"
#include "plataforma/qt/espelho_qt.h"
#include "plataforma/qt/servicos_qt.h"
#include "resultados/apresentacao.h"
#include "resultados/relatorio.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVEL");
    // Os diálogos comuns do Qt em português.
    orvel::instalar_traducao_do_qt();

    orvel::servicos_qt servicos;
    orvel::instalar_servicos(&servicos);
    orvel::instalar_janelas_do_programa(&orvel::janelas_do_editor());
    orvel::instalar_observador_do_calculo(&orvel::observador_das_janelas());
    orvel::espelho_qt espelho;
    orvel::espelho_qt::ler_a_tela();
    // O separador decimal das configurações regionais do usuário.
    const QString ponto = QLocale::system().decimalPoint();
    orvel::definir_separador_decimal(ponto == "," ? ',' : '.');

    // O navegador do relatório mostra o projeto transformado pela folha de estilo do programa.
    orvel::espelho_qt::conversor_para_html() = orvel::pagina_do_relatorio;

    orvel::frmApresentacao_orvel_versao2().Show();
    const int r = app.exec();
    orvel::destruir_todas_as_janelas();
    orvel::instalar_observador_do_calculo(nullptr);
    orvel::instalar_janelas_do_programa(nullptr);
    orvel::instalar_servicos(nullptr);
    return r;
}
