#ifndef CLAVE_H
#define CLAVE_H

// The title's treble clef: the menu's cursor, the clef on the title's staff
// and, from 48 pixels up, the desktop icons' clef.

#include <allegro.h>

#include "pincel.h"

inline constexpr pincel::Cor OURO = {255, 200, 60};  // the clef's gold

// The clef drawn in a 36 x 44 design box scaled by `escala`, its corner at
// (x0, y0): an outline `aro` pixels wide, the gold stroke and a `brilho` core
// lit where the stroke is thick.
void desenharClave(BITMAP* b, double x0, double y0, double escala, double aro, pincel::Cor ouro,
                   pincel::Cor brilho);

// The menu's cursor, abertura/clave.bmp: the clef with a spark pointing at
// the entry chosen.
BITMAP* desenharCursor();

#endif
