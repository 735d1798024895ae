#ifndef LETRAS_H
#define LETRAS_H

// Lettering with the library's built-in 8-pixel font: plain text scaled up,
// labels with a drop shadow, and the chunky arcade letters of the titles.

#include <allegro.h>

#include <string>

#include "pincel.h"

namespace pincel {

// Text scaled up by `escala` (1 = plain) with its top-left corner at (x, y).
// Only the glyph pixels are written.
void texto(BITMAP* destino, const std::string& s, int x, int y, int cor, int escala = 1);
// The same, centred on column `centroX`.
void textoCentrado(BITMAP* destino, const std::string& s, int centroX, int y, int cor,
                   int escala = 1);
// Width in pixels of `s` at scale `escala`.
int larguraTexto(const std::string& s, int escala = 1);

// Text with a drop shadow `escala` pixels down and to the right, for labels.
void textoComSombra(BITMAP* b, const std::string& s, int x, int y, Cor cor, Cor sombra,
                    int escala = 1);
void textoCentradoComSombra(BITMAP* b, const std::string& s, int cx, int y, Cor cor, Cor sombra,
                            int escala = 1);

// Chunky arcade letters: the built-in font blown up block by block, each
// block filled with a banded top-to-bottom gradient and bevelled where the
// glyph has an open edge, over a dark outline and a deep shadow.
struct Letreiro {
    Cor topo, base, sombra;
    int profundidade;  // pixels of shadow down and to the right
    int borda;         // outline thickness
};
// `s` centred on column `cx`, its top on row `y`, each glyph pixel a block of
// `escala` x `escala`.
void letreiro(BITMAP* b, const std::string& s, int cx, int y, int escala, const Letreiro& e);

}  // namespace pincel

#endif
