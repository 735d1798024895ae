#ifndef FIGURAS_H
#define FIGURAS_H

// Zorbo and Velna drawn big, for the title, the help page and the finish
// screens (the walkers of the playfield are arte_personagens.cpp's).

#include <allegro.h>

#include "figura.h"

// Where the hands are, in the figure's 160 x 222 design box, and where what
// each hand holds points to.
struct Pose {
    Ponto maoEsquerda, maoDireita;
    Ponto apontaEsquerda, apontaDireita;
};

// Arms up in a V: how both celebrate.
inline constexpr Pose VITORIA_ZORBO = {{26, 52}, {134, 52}, {-0.4, -1}, {0.4, -1}};
inline constexpr Pose VITORIA_VELNA = {{36, 50}, {124, 50}, {-0.3, -1}, {0.3, -1}};
// On the title: Zorbo plays the drum, Velna shakes a maraca.
inline constexpr Pose TOCANDO_ZORBO = {{46, 122}, {136, 66}, {0.9, 0.45}, {-0.25, -1}};
inline constexpr Pose TOCANDO_VELNA = {{30, 60}, {122, 110}, {-0.2, -1}, {0.6, -1}};

// The figure at `escala` times its design size, on a magenta card; `feliz`
// shuts the eyes with joy.
BITMAP* desenharZorbo(double escala, const Pose& pose, bool feliz);
BITMAP* desenharVelna(double escala, const Pose& pose, bool feliz);

// Draws `figura` with its feet on row `chao`, centred on column `cx`, and
// destroys it.
void pousar(BITMAP* destino, BITMAP* figura, int cx, int chao);

#endif
