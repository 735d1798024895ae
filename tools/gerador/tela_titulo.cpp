// The title: the night sky, two spotlights, the logo, a staff of bright
// notes with the gold clef, and Zorbo and Velna playing on the stage.
#include "telas.h"

#include <algorithm>

#include "clave.h"
#include "figuras.h"
#include "formas.h"
#include "letras.h"

namespace {

using pincel::clarear;
using pincel::CONTORNO;
using pincel::Cor;
using pincel::deCor;
using pincel::letreiro;
using pincel::Letreiro;
using pincel::misturar;
using pincel::rgb;
using pincel::textoCentradoComSombra;
using pincel::traco;

const Letreiro LOGO = {{255, 240, 130}, {244, 84, 60}, {110, 36, 84}, 6, 3};

// A stage spotlight: a cone of stippled light from (x, y) spreading downwards.
void holofote(BITMAP* b, int x, int y, int alvoX, int alvoY, int abertura, Cor luz) {
    for (int j = std::max(0, y); j <= alvoY && j < b->h; j++) {
        double t = double(j - y) / (alvoY - y);
        int cx = int(x + (alvoX - x) * t), meia = int(4 + abertura * t);
        for (int i = cx - meia; i <= cx + meia; i++)
            if (i >= 0 && i < b->w && ((i + j) % 3 == 0)) putpixel(b, i, j, rgb(misturar(deCor(getpixel(b, i, j)), luz, 0.35)));
    }
}

// A quaver: tilted head, stem and flag, outlined.
void nota(BITMAP* b, int x, int y, Cor corpo) {
    int c = rgb(CONTORNO);
    ellipsefill(b, x, y, 6, 5, c);
    rectfill(b, x + 3, y - 22, x + 7, y, c);
    traco(b, x + 6, y - 21, x + 14, y - 11, 4, c);
    ellipsefill(b, x, y, 5, 4, rgb(corpo));
    rectfill(b, x + 4, y - 21, x + 6, y - 1, rgb(corpo));
    traco(b, x + 6, y - 20, x + 13, y - 12, 2, rgb(corpo));
    putpixel(b, x - 2, y - 2, makecol(255, 255, 255));
}

void pauta(BITMAP* b, int topo) {
    for (int i = 0; i < 5; i++) hline(b, 0, topo + i * 10, LARGURA_TELA - 1, makecol(150, 130, 200));
    desenharClave(b, 12, topo - 14, 1.6, 1.0, OURO, clarear(OURO, 0.6));
    const int xs[] = {110, 170, 236, 390, 452, 520, 586};
    const int ys[] = {30, 20, 35, 15, 25, 40, 10};
    const Cor cores[] = {{255, 120, 120}, {120, 220, 255}, {255, 220, 90}, {140, 240, 150},
                         {255, 150, 220}, {255, 220, 90}, {120, 220, 255}};
    for (int i = 0; i < 7; i++) nota(b, xs[i], topo + ys[i], cores[i]);
}

}  // namespace

BITMAP* desenharFundoTitulo() {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(30, 26, 70));
    fundoNoite(b, 3u);
    holofote(b, 60, -20, 110, 470, 80, {255, 240, 200});
    holofote(b, 580, -20, 540, 470, 80, {255, 240, 200});
    letreiro(b, "RITMURO", LARGURA_TELA / 2, 30, 8, LOGO);
    textoCentradoComSombra(b, "ritmo, muros e dois amigos", LARGURA_TELA / 2, 116, {230, 220, 255}, CONTORNO, 2);
    pauta(b, 160);
    palco(b, 0, LARGURA_TELA - 1, 466, ALTURA_TELA - 1);
    pousar(b, desenharZorbo(0.92, TOCANDO_ZORBO, false), 104, 470);
    pousar(b, desenharVelna(0.92, TOCANDO_VELNA, false), 548, 470);
    return b;
}
