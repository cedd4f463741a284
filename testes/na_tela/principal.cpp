// Os testes das janelas numa tela de verdade: o executável inicia o seu próprio servidor X
// virtual, de 1600 x 1000 pixels a 96 dpi, com o openbox, roda os testes no Qt dessa tela (xcb,
// qualquer que seja o QT_QPA_PLATFORM de quem o chamou) e encerra os dois no fim.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <cstdio>
#include <cstdlib>

#include "comum/contexto_novo.h"
#include "editor/janelas.h"
#include "na_tela/servidor_x.h"

namespace {

class janelas_do_qt_destruidas_a_cada_teste : public testing::EmptyTestEventListener {
public:
    void OnTestEnd(const testing::TestInfo&) override {
        orvel::destruir_todas_as_janelas();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace

// Na compilação com os sanitizadores: a biblioteca do D-Bus, que o Qt de uma tela de verdade
// carrega, guarda memória até o fim do processo sem a devolver; não é do programa.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Só a lista dos testes não precisa de tela.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    orvel::teste::servidor_x servidor;
    if (!servidor.iniciar(1600, 1000)) {
        std::fprintf(stderr, "Sem tela para os testes: %s\n", servidor.erro().c_str());
        return 1;
    }
    setenv("DISPLAY", servidor.tela().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    int resultado = 1;
    {
        QApplication app(argc, argv);
        orvel::instalar_janelas_do_programa(&orvel::janelas_do_editor());
        orvel::instalar_observador_do_calculo(&orvel::observador_das_janelas());
        orvel::teste::recomecar_o_contexto_a_cada_teste();
        testing::UnitTest::GetInstance()->listeners().Append(new janelas_do_qt_destruidas_a_cada_teste);
        resultado = RUN_ALL_TESTS();
        orvel::destruir_todas_as_janelas();
        orvel::instalar_observador_do_calculo(nullptr);
        orvel::instalar_janelas_do_programa(nullptr);
    }
    servidor.parar();
    return resultado;
}
