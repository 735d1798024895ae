// The game-over screen: the stage gone dark over the walls that fell.
#include "telas.h"

#include <algorithm>
#include <cmath>

#include "formas.h"
#include "letras.h"
#include "paletas.h"

namespace {

using pincel::clarear;
using pincel::CONTORNO;
using pincel::deCor;
using pincel::degrade;
using pincel::estrelas;
using pincel::letreiro;
using pincel::misturar;
using pincel::rgb;
using pincel::textoCentradoComSombra;
using pincel::traco;

// A hanging stage lamp and its cone of stippled light down to a bright
// spot on the floor.
void lampada(BITMAP* b, int cx, int topo, int chao, int abertura) {
    for (int y = topo + 12; y <= chao; y++) {
        double t = double(y - topo - 12) / (chao - topo - 12);
        int meia = int(10 + abertura * t);
        for (int x = cx - meia; x <= cx + meia; x++) {
            bool miolo = std::abs(x - cx) < meia / 2;
            if ((miolo && (x + y) % 2 == 0) || (!miolo && (x + y) % 3 == 0))
                putpixel(b, x, y, rgb(misturar(deCor(getpixel(b, x, y)), {210, 200, 255}, miolo ? 0.22 : 0.14)));
        }
    }
    int p[8] = {cx - 8, topo, cx + 8, topo, cx + 14, topo + 12, cx - 14, topo + 12};
    polygon(b, 4, p, makecol(90, 84, 120));
    hline(b, cx - 13, topo + 12, cx + 13, makecol(255, 250, 220));
    hline(b, cx - 8, topo, cx + 8, makecol(140, 134, 170));
}

// A little cloud of dust where something heavy landed.
void poeira(BITMAP* b, int x, int y, int largura) {
    for (int i = 0; i < largura / 8; i++) {
        int px = x + i * 8 + (i % 2) * 3, r = 3 + (i * 5) % 4;
        circlefill(b, px, y - r / 2, r, makecol(120, 104, 150));
        circlefill(b, px - 1, y - r / 2 - 1, std::max(1, r - 2), makecol(150, 136, 180));
    }
}

// Zorbo's drum lying on its side: the shell with its zig-zag cords, one
// hoop seen end-on and the white head facing us.
void tamborCaido(BITMAP* b, int x, int y) {
    rectfill(b, x - 1, y - 17, x + 34, y + 17, rgb(CONTORNO));
    rectfill(b, x, y - 15, x + 33, y + 15, rgb(zorbo::TAMBOR));
    for (int i = 0; i < 3; i++) {
        line(b, x + 4 + i * 10, y - 13, x + 9 + i * 10, y + 13, rgb(zorbo::CORDA));
        line(b, x + 9 + i * 10, y + 13, x + 14 + i * 10, y - 13, rgb(zorbo::CORDA));
    }
    ellipsefill(b, x + 34, y, 7, 17, rgb(CONTORNO));
    ellipsefill(b, x + 34, y, 5, 15, rgb(zorbo::ARO));
    ellipsefill(b, x, y, 9, 17, rgb(CONTORNO));
    ellipsefill(b, x, y, 7, 15, rgb(zorbo::ARO));
    ellipsefill(b, x - 1, y, 5, 12, rgb(zorbo::PELE_TAMBOR));
}

}  // namespace

// The game-over screen: the stage gone dark, one lamp left on over the
// walls that fell; the drum, a drumstick, the headband and a maraca lie about.
BITMAP* desenharFimDeJogo() {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(20, 16, 36));
    degrade(b, 0, FAIXA_PLACAR_FIM + 1, LARGURA_TELA - 1, 430, {{20, 16, 36}, {34, 26, 62}, {56, 38, 84}}, 4);
    placaDoPlacar(b, {20, 16, 36}, {110, 60, 120});
    estrelas(b, {0, FAIXA_PLACAR_FIM + 6, LARGURA_TELA - 1, 300, 60, 17u, {90, 80, 140}, {180, 170, 230}, 6});
    lampada(b, 320, FAIXA_PLACAR_FIM + 1, 430, 170);
    letreiro(b, "FIM DE JOGO", LARGURA_TELA / 2, 120, 6, {{255, 160, 140}, {200, 30, 60}, {70, 20, 50}, 6, 3});
    textoCentradoComSombra(b, "Os muros venceram desta vez...", LARGURA_TELA / 2, 196, {220, 206, 250}, CONTORNO, 2);
    palco(b, 0, LARGURA_TELA - 1, 430, 447);
    rectfill(b, 0, 448, LARGURA_TELA - 1, ALTURA_TELA - 1, makecol(36, 22, 44));
    ellipsefill(b, 320, 431, 170, 3, makecol(255, 226, 170));
    blocoDeMuro(b, 226, 394, 320, 428);
    blocoDeMuro(b, 326, 400, 420, 428);
    blocoDeMuro(b, 258, 352, 370, 388);
    blocoDeMuro(b, 296, 316, 342, 346);
    poeira(b, 222, 429, 48);
    poeira(b, 408, 429, 40);
    tamborCaido(b, 170, 412);
    traco(b, 128, 428, 156, 420, 5, rgb(CONTORNO));
    traco(b, 128, 428, 156, 420, 3, rgb(zorbo::MADEIRA));
    traco(b, 440, 424, 476, 428, 5, rgb(CONTORNO));
    traco(b, 440, 424, 476, 428, 3, rgb(zorbo::FAIXA));
    traco(b, 486, 426, 500, 414, 5, rgb(CONTORNO));
    traco(b, 486, 426, 500, 414, 3, rgb(velna::CABO));
    circlefill(b, 509, 407, 11, rgb(CONTORNO));
    circlefill(b, 509, 407, 9, rgb(velna::MARACA));
    hline(b, 501, 407, 517, rgb(velna::FAIXA_MARACA));
    circlefill(b, 506, 403, 2, rgb(clarear(velna::MARACA, 0.5)));
    rodapeFim(b, 457, {220, 214, 250});
    return b;
}
