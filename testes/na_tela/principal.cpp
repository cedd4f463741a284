// Os testes das janelas numa tela de verdade: o executável inicia o seu próprio servidor X
// virtual, de 1600 x 1000 pixels a 96 dpi, com o openbox, roda os testes no Qt dessa tela (xcb,
// qualquer que seja o QT_QPA_PLATFORM de quem o chamou) e encerra os dois no fim.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "comum/testes_no_qt.h"
#include "na_tela/servidor_x.h"

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
        resultado = orvel::teste::rodar_os_testes_no_qt();
    }
    servidor.parar();
    return resultado;
}
