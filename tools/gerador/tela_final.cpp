// The finish screens: the winner celebrating, or both for a draw.
#include "telas.h"

#include <algorithm>
#include <cmath>

#include "figuras.h"
#include "letras.h"

namespace {

using pincel::clarear;
using pincel::Cor;
using pincel::letreiro;
using pincel::misturar;
using pincel::rgb;
using pincel::Sorteio;

// Light background of the finish screens: the score plate on top, then
// sun rays, confetti and the stage.
void fundoFestivo(BITMAP* b, std::uint32_t semente) {
    int cx = LARGURA_TELA / 2, cy = 330;
    for (int y = FAIXA_PLACAR_FIM + 1; y < ALTURA_TELA; y++)
        for (int x = 0; x < LARGURA_TELA; x++) {
            double a = std::atan2(y - cy, x - cx);
            bool raio = int(std::floor((a + M_PI) / (M_PI / 12))) % 2 == 0;
            double t = std::min(1.0, double(y - FAIXA_PLACAR_FIM) / 300.0);
            Cor base = misturar({255, 244, 214}, {255, 210, 156}, t);
            putpixel(b, x, y, rgb(raio ? clarear(base, 0.5) : base));
        }
    placaDoPlacar(b, {252, 246, 228}, {236, 180, 80});
    Sorteio s(semente);
    const Cor cores[] = {{240, 70, 80}, {60, 180, 230}, {255, 200, 40}, {80, 200, 110}, {200, 90, 220}};
    for (int i = 0; i < 90; i++) {
        int x = s.ate(LARGURA_TELA), y = FAIXA_PLACAR_FIM + 8 + s.ate(330);
        int w = 3 + s.ate(4), h = 2 + s.ate(3);
        rectfill(b, x, y, x + (i % 2 ? w : h), y + (i % 2 ? h : w), rgb(cores[i % 5]));
    }
    palco(b, 0, LARGURA_TELA - 1, 440, 456);
    rectfill(b, 0, 457, LARGURA_TELA - 1, ALTURA_TELA - 1, makecol(96, 36, 56));
}

}  // namespace

BITMAP* desenharFinal(Vencedor v, std::uint32_t semente) {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(252, 246, 228));
    fundoFestivo(b, semente);
    if (v == Vencedor::ZORBO) {
        letreiro(b, "Zorbo venceu!", LARGURA_TELA / 2, 100, 5, {{255, 236, 120}, {236, 60, 44}, {110, 30, 50}, 5, 3});
        pousar(b, desenharZorbo(1.3, VITORIA_ZORBO, true), LARGURA_TELA / 2, 444);
    } else if (v == Vencedor::VELNA) {
        letreiro(b, "Velna venceu!", LARGURA_TELA / 2, 100, 5, {{200, 255, 200}, {30, 170, 150}, {20, 80, 90}, 5, 3});
        pousar(b, desenharVelna(1.3, VITORIA_VELNA, true), LARGURA_TELA / 2, 444);
    } else {
        letreiro(b, "Empate!", LARGURA_TELA / 2, 100, 5, {{255, 244, 150}, {250, 130, 50}, {120, 40, 70}, 5, 3});
        pousar(b, desenharZorbo(1.15, VITORIA_ZORBO, true), 200, 444);
        pousar(b, desenharVelna(1.15, VITORIA_VELNA, true), 440, 444);
    }
    rodapeFim(b, 461, {255, 240, 210});
    return b;
}
