#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // gtest_discover_tests roda os executáveis sem o ambiente do ctest.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
