// Entry of the unit tests: the library is started headless once, at 32-bit
// colour, and `screen` is a memory bitmap so that code presenting frames can
// run without a window.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    screen = create_bitmap(640, 480);
    clear_bitmap(screen);
    int resultado = RUN_ALL_TESTS();
    destroy_bitmap(screen);
    screen = NULL;
    return resultado;
}
