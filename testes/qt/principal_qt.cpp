#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <cstdlib>

#include "comum/contexto_novo.h"
#include "editor/janelas.h"

namespace {

// Depois de cada teste, as janelas que ficaram são destruídas e as do Qt que elas soltaram
// (deleteLater) morrem logo, e não no laço de eventos de um teste seguinte.
class janelas_do_qt_destruidas_a_cada_teste : public testing::EmptyTestEventListener {
public:
    void OnTestEnd(const testing::TestInfo&) override {
        orvel::destruir_todas_as_janelas();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace

int main(int argc, char** argv) {
    // gtest_discover_tests roda o executável sem o ambiente do ctest.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // As camadas de baixo chegam às janelas do editor, como no programa.
    orvel::instalar_janelas_do_programa(&orvel::janelas_do_editor());
    orvel::instalar_observador_do_calculo(&orvel::observador_das_janelas());
    testing::InitGoogleTest(&argc, argv);
    orvel::teste::recomecar_o_contexto_a_cada_teste();
    testing::UnitTest::GetInstance()->listeners().Append(new janelas_do_qt_destruidas_a_cada_teste);
    return RUN_ALL_TESTS();
}
