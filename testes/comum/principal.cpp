#include <gtest/gtest.h>

#include <cstdlib>

#include "comum/contexto_novo.h"
#include "editor/janelas.h"

int main(int argc, char** argv) {
    // gtest_discover_tests roda os executáveis sem o ambiente do ctest.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // As camadas de baixo chegam às janelas do editor, como no programa.
    orvel::instalar_janelas_do_programa(&orvel::janelas_do_editor());
    orvel::instalar_observador_do_calculo(&orvel::observador_das_janelas());
    testing::InitGoogleTest(&argc, argv);
    orvel::teste::recomecar_o_contexto_a_cada_teste();
    return RUN_ALL_TESTS();
}
