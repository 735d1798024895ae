// The desktop's icons, icones/ritmuro-<n>.png for each size of the hicolor
// theme: the title's gold treble clef on a tile of the title's night sky,
// passing through the gap of a row of the stage's black castle walls. Drawn
// afresh at each size rather than shrunk: up to 32 pixels the clef is laid
// out pixel by pixel, so that even at 16 it reads as a clef; from 48 it is
// traced with the title's own stroke. The walls and stars come in only where
// there is room for them.
#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "clave.h"
#include "formas.h"
#include "pincel.h"
#include "telas.h"

namespace {

using pincel::contornar;
using pincel::Cor;
using pincel::rgb;

const int TAMANHOS[] = {16, 22, 24, 32, 48, 64, 128, 256};

using pincel::CONTORNO;
const Cor OURO_CLARO = {255, 234, 168};
const Cor OURO_ESCURO = {196, 120, 36};

// The tile's shape: a square with rounded corners, `recuo` pixels in from the icon's edge.
bool dentroDoLadrilho(int n, int x, int y, int recuo) {
    const int r = std::max(1, std::max(2, n / 7) - recuo);
    const int x1 = recuo, x2 = n - 1 - recuo;
    if (x < x1 || x > x2 || y < x1 || y > x2) return false;
    int cx = std::clamp(x, x1 + r, x2 - r), cy = std::clamp(y, x1 + r, x2 - r);
    double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= (r + 0.3) * (r + 0.3);
}

// The title's night sky, banded and dithered.
void ceu(BITMAP* b) {
    const int n = b->w;
    pincel::degrade(b, 0, 0, n - 1, n - 1, CEU_NOITE, 3);
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++)
            if (!dentroDoLadrilho(n, x, y, 0)) putpixel(b, x, y, pincel::magenta());
}

// A few stars of the title's sky, where there is room for them.
void estrelas(BITMAP* b) {
    const int n = b->w;
    pincel::estrelas(b, {0, 0, n - 1, n - 1, n / 6, 7u, {130, 126, 200}, {250, 248, 255}, 0},
                     [n](int x, int y) { return dentroDoLadrilho(n, x, y, 2); });
}

// The dark rim round the tile, `borda` thick, over whatever reaches the edge.
void borda(BITMAP* b, int grossura) {
    const int n = b->w;
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++)
            if (dentroDoLadrilho(n, x, y, 0) && !dentroDoLadrilho(n, x, y, grossura)) putpixel(b, x, y, rgb(CONTORNO));
}

// The clef laid out pixel by pixel for the small sizes: '#' gold, '+' lit,
// 'x' shaded, '.' nothing. The outline is added around it.
const std::vector<std::string> CLAVE_16 = {
    "....#..",
    "...#.#.",
    "...#.#.",
    "...##..",
    "..##...",
    ".#.##..",
    "#..#.#.",
    "#+.#..#",
    "#+.#..#",
    ".#.#.#.",
    "..###..",
    "...#...",
    ".#.#...",
    "..#....",
};
const std::vector<std::string> CLAVE_24 = {
    "....###....",
    "...##.##...",
    "...#...#...",
    "...#...#...",
    "...#..##...",
    "...#.##....",
    "...###.....",
    "..###......",
    ".##.#......",
    "##..####...",
    "#+..#..##..",
    "#+..#...#..",
    "#+..#.#.#..",
    "##..#..##..",
    ".##.#.##...",
    "..#####....",
    "....#......",
    "..#.#......",
    "..###......",
};
const std::vector<std::string> CLAVE_32 = {
    ".......###..",
    "......##.##.",
    "......#...#.",
    "......#...##",
    "......#....#",
    "......#...##",
    "......#...#.",
    "......#..##.",
    "......####..",
    ".....###....",
    "....###.....",
    "...##.#.....",
    "..##..##....",
    ".##+...#....",
    "##+....#....",
    "##+....####.",
    "##+....#..#.",
    ".##+...#..#.",
    "..###..###..",
    "...#######..",
    "....####x...",
    "........#...",
    "....#...#...",
    "...###..#...",
    "....#..##...",
    "....####....",
};

// A row of the stage's castle walls across the upper part of the tile, black
// with battlements and a pale rim, open in the middle where the clef passes.
void muralha(BITMAP* b) {
    const int n = b->w;
    const int topo = int(std::lround(0.2 * n)), altura = std::max(3, int(std::lround(0.13 * n)));
    const int ameia = std::max(1, altura / 3), passo = std::max(2, int(std::lround(n / 10.0)));
    const int vao = int(std::lround(0.36 * n)), esquerda = (n - vao) / 2, direita = n - 1 - esquerda;
    BITMAP* muro = pincel::nova(n, n, pincel::magenta());
    auto bloco = [&](int x1, int x2) {
        rectfill(muro, x1, topo + ameia, x2, topo + altura - 1, pincel::preto());
        for (int x = x1; x <= x2; x += passo)  // the battlements: half a step up, half a step down
            rectfill(muro, x, topo, std::min(x2, x + (passo + 1) / 2 - 1), topo + ameia - 1, pincel::preto());
    };
    bloco(-passo, esquerda - 1);
    bloco(direita + 1, n + passo);
    contornar(muro, std::max(1, n / 96), makecol(196, 214, 255));
    draw_sprite(b, muro, 0, 0);
    destroy_bitmap(muro);
}

void desenharClavePixelAPixel(BITMAP* b, const std::vector<std::string>& desenho) {
    BITMAP* clave = pincel::nova(b->w, b->h, pincel::magenta());
    const int x0 = (b->w - int(desenho[0].size())) / 2, y0 = (b->h - int(desenho.size())) / 2;
    for (int y = 0; y < int(desenho.size()); y++)
        for (int x = 0; x < int(desenho[y].size()); x++) {
            char c = desenho[y][x];
            if (c == '.') continue;
            putpixel(clave, x0 + x, y0 + y, rgb(c == '+' ? OURO_CLARO : c == 'x' ? OURO_ESCURO : OURO));
        }
    contornar(clave, 1, rgb(CONTORNO));
    draw_sprite(b, clave, 0, 0);
    destroy_bitmap(clave);
}

// From 32 pixels up: the title's own stroke, with an outline that grows with the icon.
void desenharClaveTracada(BITMAP* b) {
    const int n = b->w;
    const double escala = 0.8 * n / 44.0;
    const double x0 = n / 2.0 - 17 * escala, y0 = (n - 44 * escala) / 2.0;
    const double aro = std::max(1.0, n / 40.0);
    desenharClave(b, x0, y0, escala, aro, OURO, OURO_CLARO);
}

BITMAP* desenharIcone(int n) {
    BITMAP* b = pincel::nova(n, n, pincel::magenta());
    ceu(b);
    if (n >= 48) estrelas(b);
    if (n >= 32) muralha(b);  // below that the walls would only crowd the clef
    if (n < 22)
        desenharClavePixelAPixel(b, CLAVE_16);
    else if (n < 32)
        desenharClavePixelAPixel(b, CLAVE_24);
    else if (n < 48)
        desenharClavePixelAPixel(b, CLAVE_32);
    else
        desenharClaveTracada(b);
    borda(b, std::max(1, n / 32));
    return b;
}

void gerarIcones() {
    for (int n : TAMANHOS) pincel::salvarPng(desenharIcone(n), "icones/ritmuro-" + std::to_string(n) + ".png");
}

pincel::Registro registro("icones", gerarIcones);

}  // namespace
