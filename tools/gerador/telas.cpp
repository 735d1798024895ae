// The pieces the screens share.
#include "telas.h"

#include "formas.h"
#include "letras.h"
#include "medidas.h"

using pincel::CONTORNO;
using pincel::Cor;
using pincel::degrade;
using pincel::estrelas;
using pincel::misturar;
using pincel::rgb;
using pincel::textoCentradoComSombra;

void fundoNoite(BITMAP* b, std::uint32_t semente) {
    degrade(b, 0, 0, LARGURA_TELA - 1, ALTURA_TELA - 1, CEU_NOITE, 4);
    estrelas(b, {0, 0, LARGURA_TELA - 1, 300, 140, semente, {130, 126, 200}, {250, 248, 255}, 6});
}

void palco(BITMAP* b, int x1, int x2, int topo, int base) {
    rectfill(b, x1, topo, x2, base, makecol(150, 40, 60));
    hline(b, x1, topo, x2, makecol(255, 230, 150));
    hline(b, x1, topo + 1, x2, makecol(214, 156, 76));
    hline(b, x1, topo + 2, x2, makecol(120, 30, 52));
    hline(b, x1, base, x2, makecol(84, 24, 42));
    int meio = (topo + 3 + base) / 2;
    for (int x = x1 + 10; x < x2; x += 24) {
        circlefill(b, x, meio, 3, makecol(255, 186, 90));
        circlefill(b, x, meio, 1, makecol(255, 244, 190));
    }
}

void blocoDeMuro(BITMAP* b, int x1, int y1, int x2, int y2) {
    int brilho = makecol(150, 100, 230), muro = makecol(10, 8, 14);
    rect(b, x1 - 1, y1 - 1, x2 + 1, y2 + 1, brilho);
    for (int x = x1 + 3; x + 5 <= x2 - 2; x += 10) {
        rect(b, x - 1, y1 - 5, x + 5, y1 - 1, brilho);
        rectfill(b, x, y1 - 4, x + 4, y1, muro);
    }
    rectfill(b, x1, y1, x2, y2, muro);
    hline(b, x1 + 1, y1 + 1, x2 - 1, makecol(50, 40, 70));
}

// The plate behind the scores: its frame lies outside the rows and columns
// where the game prints, so the inside stays one plain colour.
constexpr int PLACA_X1 = 14, PLACA_Y1 = 30, PLACA_X2 = LARGURA_TELA - 7, PLACA_Y2 = 74;
constexpr int ALTURA_FONTE = 8;  // the library's font the game prints with
static_assert(PLACA_X1 < medidas::X_PLACAR_P1 && medidas::X_PLACAR_P2 < PLACA_X2 &&
                  PLACA_Y1 < medidas::Y_PLACAR && medidas::Y_PLACAR + ALTURA_FONTE < PLACA_Y2,
              "the scores are printed inside the plate");

void placaDoPlacar(BITMAP* b, Cor fundo, Cor moldura) {
    rectfill(b, 0, 0, LARGURA_TELA - 1, FAIXA_PLACAR_FIM - 1, rgb(fundo));
    rect(b, PLACA_X1, PLACA_Y1, PLACA_X2, PLACA_Y2, rgb(moldura));
    rect(b, PLACA_X1 - 2, PLACA_Y1 - 2, PLACA_X2 + 2, PLACA_Y2 + 2, rgb(misturar(moldura, fundo, 0.6)));
    hline(b, 0, FAIXA_PLACAR_FIM, LARGURA_TELA - 1, rgb(moldura));
}

void rodapeFim(BITMAP* b, int y, Cor cor) {
    textoCentradoComSombra(b, "Enter: voltar ao menu", LARGURA_TELA / 2, y, cor, CONTORNO, 2);
}
