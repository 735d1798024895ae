#ifndef PINCEL_H
#define PINCEL_H

// Shared tools of the art generator: the screen's size, the output folder,
// the registry of picture groups, saving, and the colours.

#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "medidas.h"

// The screen, as the game sets it up.
inline constexpr int LARGURA_TELA = MAX_X;
inline constexpr int ALTURA_TELA = medidas::ALTURA_TELA;

namespace pincel {

// Magenta is transparent for draw_sprite; pure black is solid for the
// characters and belongs to the walls only.
int magenta();
int preto();

// Colours as plain numbers, for mixing.
struct Cor {
    int r, g, b;
};
inline int rgb(Cor c) { return makecol(c.r, c.g, c.b); }
inline Cor deCor(int c) { return Cor{getr(c), getg(c), getb(c)}; }
// The colour a fraction t of the way from a to b.
inline Cor misturar(Cor a, Cor b, double t) {
    return Cor{int(std::lround(a.r + (b.r - a.r) * t)), int(std::lround(a.g + (b.g - a.g) * t)),
               int(std::lround(a.b + (b.b - a.b) * t))};
}
// Towards a warm white, and towards a deep purple: the lit and shaded sides.
inline Cor clarear(Cor c, double t) { return misturar(c, {255, 250, 235}, t); }
inline Cor escurecer(Cor c, double t) { return misturar(c, {30, 16, 48}, t); }

// Every outline of every picture: very dark, but never pure black, which
// would be solid for the characters.
inline constexpr Cor CONTORNO = {20, 16, 28};
inline int contorno() { return rgb(CONTORNO); }
inline constexpr Cor BRANCO = {255, 255, 255};

// A tiny fixed-seed generator: the same pictures on every run.
class Sorteio {
public:
    explicit Sorteio(std::uint32_t semente) : estado(semente) {}
    // A number from 0 to n - 1.
    int ate(int n) {
        estado = estado * 1664525u + 1013904223u;
        return int((estado >> 8) % std::uint32_t(n));
    }

private:
    std::uint32_t estado;
};

// Ordered 4x4 dither: gradients come out in a few flat bands stippled at the
// edges, the pixel-art way, instead of hundreds of colours.
inline constexpr int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// A group of pictures (one folder's worth, or part of one).
struct Grupo {
    const char* nome;
    std::function<void()> gerar;
};
std::vector<Grupo>& grupos();

// Registers a group at start-up: static pincel::Registro r("setas", gerarSetas);
struct Registro {
    Registro(const char* nome, std::function<void()> gerar);
};

// The folder the pictures are written into (data/ or a test's temporary one).
void definirSaida(const std::string& pasta);

// Saves `imagem` as <saida>/<caminho>, creating the sub-folder, and destroys
// it; `caminho` is the path the game loads it from (imagens.h), e.g.
// "./abertura/back.bmp". Aborts the generator if the file cannot be written.
void salvar(BITMAP* imagem, const std::string& caminho);

// <saida>/<caminho> without a leading "./", with its sub-folders created.
std::string caminhoDeSaida(const std::string& caminho);

// The same as salvar, as a PNG (for the desktop's icons): magenta becomes
// fully transparent, every other pixel is opaque. At most 256 colours.
void salvarPng(BITMAP* imagem, const std::string& caminho);

// A new bitmap of the given size filled with `cor`.
BITMAP* nova(int largura, int altura, int cor);

}  // namespace pincel

#endif
