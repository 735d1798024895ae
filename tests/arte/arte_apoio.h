#ifndef ARTE_APOIO_H
#define ARTE_APOIO_H

// Shared by the tests of the small pictures: loading a picture by its game
// path (a failed load is reported by the test that asked for it).

#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>

namespace arte {

using Imagem = std::unique_ptr<BITMAP, void (*)(BITMAP*)>;

inline Imagem carregar(const char* caminho) {
    Imagem b(load_bitmap(caminho, nullptr), destroy_bitmap);
    EXPECT_NE(b, nullptr) << caminho;
    return b;
}

inline int magenta() { return makecol(255, 0, 255); }

}  // namespace arte

#endif
