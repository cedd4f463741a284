#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "comum/testes_no_qt.h"

int main(int argc, char** argv) {
    // gtest_discover_tests roda o executável sem o ambiente do ctest.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return orvel::teste::rodar_os_testes_no_qt();
}
