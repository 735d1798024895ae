// Entry of the 32-bit health-bar tests: the library is started headless at
// 32-bit colour, as in the native unit tests.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    return RUN_ALL_TESTS();
}
