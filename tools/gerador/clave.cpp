#include "clave.h"

#include <algorithm>
#include <cmath>

#include "medidas.h"

namespace {

using pincel::Cor;
using pincel::rgb;

constexpr int CLAVE_LARGURA = 36;
constexpr int CLAVE_ALTURA = 44;
static_assert(medidas::X_CURSOR + CLAVE_LARGURA <= medidas::X_CAIXA_MENU,
              "the cursor stands left of the menu box");

// The clef's single stroke in a 36 x 44 design box: from the heart of the
// spiral out round the lower loop, up into the top loop, then down the stem
// to the curl at the foot; the third number is the stroke's half-width.
const double TRACADO_CLAVE[][3] = {
    {18.5, 25, 0.9}, {22, 26.5, 1.1},   {21, 31, 1.4},   {15.5, 33, 1.6},  {9.5, 29.5, 1.8}, {8.5, 23, 1.7},
    {12.5, 17.5, 1.4}, {18, 15, 1.2},   {22, 12, 1.1},   {23.5, 7, 1.1},   {21.5, 2, 1.0},   {18.5, 0.8, 1.0},
    {15.8, 3, 1.0},  {15, 8, 1.1},      {16, 15, 1.2},   {17.5, 25, 1.3},  {18.8, 34, 1.3},  {18.6, 40, 1.2},
    {16, 42.5, 1.1}, {12.5, 41.5, 1.0}};

// Drags a round brush along the clef's stroke; the brush is the stroke's
// half-width times `proporcao` plus `extra` pixels, and is skipped where that
// is under `minimo` (so the lit core shows only in the thick parts).
void tracarClave(BITMAP* b, double x0, double y0, double escala, double proporcao, double extra,
                 double minimo, int cor) {
    const int n = sizeof(TRACADO_CLAVE) / sizeof(TRACADO_CLAVE[0]);
    auto ponto = [&](int i) { return TRACADO_CLAVE[std::max(0, std::min(n - 1, i))]; };
    auto pincelada = [&](double x, double y, double r) {
        double raio = r * escala * proporcao + extra;
        if (raio >= minimo)
            circlefill(b, int(std::lround(x0 + x * escala)), int(std::lround(y0 + y * escala)),
                       int(std::lround(raio)), cor);
    };
    for (int i = 0; i + 1 < n; i++) {
        const double *p0 = ponto(i - 1), *p1 = ponto(i), *p2 = ponto(i + 1), *p3 = ponto(i + 2);
        for (int k = 0; k <= 24; k++) {
            double t = k / 24.0, t2 = t * t, t3 = t2 * t;
            double c[3];
            for (int d = 0; d < 3; d++)  // Catmull-Rom through the points
                c[d] = 0.5 * (2 * p1[d] + (-p0[d] + p2[d]) * t + (2 * p0[d] - 5 * p1[d] + 4 * p2[d] - p3[d]) * t2 +
                              (-p0[d] + 3 * p1[d] - 3 * p2[d] + p3[d]) * t3);
            pincelada(c[0], c[1], c[2]);
        }
    }
    pincelada(12.2, 38.8, 2.3);  // the ball at the end of the curl
}

}  // namespace

void desenharClave(BITMAP* b, double x0, double y0, double escala, double aro, Cor ouro, Cor brilho) {
    tracarClave(b, x0, y0, escala, 1.0, aro, 0.0, rgb(pincel::CONTORNO));
    tracarClave(b, x0, y0, escala, 1.0, 0.0, 0.0, rgb(ouro));
    tracarClave(b, x0 - 0.5 * escala, y0 - 0.5 * escala, escala, 0.55, -0.3 * escala, 0.5, rgb(brilho));
}

BITMAP* desenharCursor() {
    BITMAP* b = pincel::nova(CLAVE_LARGURA, CLAVE_ALTURA, pincel::magenta());
    desenharClave(b, 2, 1, 0.97, 1.0, OURO, pincel::clarear(OURO, 0.6));
    // A spark beside the clef, pointing at the entry.
    int brilho = makecol(255, 250, 210);
    hline(b, 29, 22, 33, brilho);
    vline(b, 31, 20, 24, brilho);
    return b;
}
