#ifndef ARTE_ABERTURA_H
#define ARTE_ABERTURA_H

// The title's treble clef, shared with the desktop icons.

#include <allegro.h>

// Drags a round brush along the clef's stroke, drawn in a 36 x 44 design box
// scaled by `escala` with its corner at (x0, y0); the brush is the stroke's
// half-width times `proporcao` plus `extra` pixels, and is skipped where that
// is under `minimo` (so the lit core shows only in the thick parts).
void tracarClave(BITMAP* b, double x0, double y0, double escala, double proporcao, double extra,
                 double minimo, int cor);

#endif
