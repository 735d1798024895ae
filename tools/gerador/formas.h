#ifndef FORMAS_H
#define FORMAS_H

// Shapes shared by the pictures: gradients, starfields, rounded plates, thick
// strokes and outlines.

#include <allegro.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "pincel.h"

namespace pincel {

bool ehMagenta(BITMAP* b, int x, int y);

// A vertical gradient over columns x1..x2, rows y1..y2, through evenly spaced
// colour stops: `faixas` flat bands per stop, stippled at their edges with
// the ordered dither, the pixel-art way.
void degrade(BITMAP* b, int x1, int y1, int x2, int y2, const std::vector<Cor>& paradas,
             int faixas);

// A starfield over columns x1..x2, rows y1..y2: `quantas` stars drawn from
// `semente`, one in three bright; when `cruzACada` is not 0, every star of
// that count is a bright one with a faint cross round it.
struct CampoDeEstrelas {
    int x1, y1, x2, y2;
    int quantas;
    std::uint32_t semente;
    Cor fraca, forte;
    int cruzACada;
};
// `cabe`, when given, says where a star may be drawn; the others are skipped.
void estrelas(BITMAP* b, const CampoDeEstrelas& campo,
              const std::function<bool(int, int)>& cabe = nullptr);

void retanguloArredondado(BITMAP* b, int x1, int y1, int x2, int y2, int r, int cor);

// A thick stroke with round ends.
void traco(BITMAP* b, double x1, double y1, double x2, double y2, double grossura, int cor);

// Repaints the pixels of colour `de` inside columns x1..x2, rows y1..y2 with
// `para`: how bands, hair and shading are laid over a shape already drawn.
void trocarCor(BITMAP* b, int x1, int y1, int x2, int y2, int de, int para);
// Repaints every drawn (not magenta) pixel inside columns x1..x2, rows y1..y2.
void pintarDesenho(BITMAP* b, int x1, int y1, int x2, int y2, int cor);

// Paints `grossura` rings of `cor` on the magenta around every drawn shape of
// `b` (4-neighbours, which keeps the corners soft).
void contornar(BITMAP* b, int grossura, int cor);

}  // namespace pincel

#endif
