// The menu box: four plates one under the other, one picture for each
// entry lit.
#include "telas.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "formas.h"
#include "imagens.h"
#include "letras.h"
#include "medidas.h"

namespace {

using pincel::BAYER;
using pincel::CONTORNO;
using pincel::Cor;
using pincel::ehMagenta;
using pincel::misturar;
using pincel::retanguloArredondado;
using pincel::rgb;
using pincel::textoCentradoComSombra;

// The game draws the box at (X_CAIXA_MENU, Y_CAIXA_MENU), its entries
// PASSO_ENTRADA rows apart.
using medidas::PASSO_ENTRADA;
const char* const ENTRADAS[] = {"1 Jogador", "2 Jogadores", "Instrucoes", "Sair"};
constexpr int TOTAL_ENTRADAS = int(std::size(ENTRADAS));
static_assert(std::size(ENTRADAS) == std::size(imagens::CAIXA), "one box picture an entry lit");
constexpr int CAIXA_LARGURA = 206;
constexpr int CAIXA_ALTURA = TOTAL_ENTRADAS * PASSO_ENTRADA;
static_assert(medidas::X_CAIXA_MENU + CAIXA_LARGURA <= LARGURA_TELA &&
                  medidas::Y_CAIXA_MENU + CAIXA_ALTURA <= ALTURA_TELA,
              "the menu box fits on the screen");

}  // namespace

// The menu: four plates one under the other; entry `destacada` is lit gold.
BITMAP* desenharCaixa(int destacada) {
    BITMAP* b = pincel::nova(CAIXA_LARGURA, CAIXA_ALTURA, pincel::magenta());
    for (int i = 0; i < TOTAL_ENTRADAS; i++) {
        int y1 = i * PASSO_ENTRADA + 3, y2 = y1 + 38;
        bool acesa = i == destacada;
        Cor borda = acesa ? Cor{255, 250, 210} : Cor{120, 110, 200};
        retanguloArredondado(b, 0, y1, CAIXA_LARGURA - 1, y2, 9, rgb(CONTORNO));
        retanguloArredondado(b, 2, y1 + 2, CAIXA_LARGURA - 3, y2 - 2, 7, rgb(borda));
        BITMAP* miolo = pincel::nova(CAIXA_LARGURA, CAIXA_ALTURA, pincel::magenta());
        retanguloArredondado(miolo, 4, y1 + 4, CAIXA_LARGURA - 5, y2 - 4, 5, makecol(1, 2, 3));
        std::vector<Cor> tons = acesa ? std::vector<Cor>{{255, 236, 130}, {250, 160, 50}}
                                      : std::vector<Cor>{{70, 60, 130}, {40, 34, 86}};
        for (int y = y1 + 4; y <= y2 - 4; y++)
            for (int x = 4; x < CAIXA_LARGURA - 4; x++)
                if (!ehMagenta(miolo, x, y)) {
                    double t = double(y - y1 - 4) / 30.0;
                    int banda = int(t * 4 + (BAYER[y & 3][x & 3] + 0.5) / 16.0);
                    putpixel(b, x, y, rgb(misturar(tons[0], tons[1], std::min(1.0, banda / 4.0))));
                }
        destroy_bitmap(miolo);
        int textoY = y1 + 12;
        if (acesa)
            textoCentradoComSombra(b, ENTRADAS[i], CAIXA_LARGURA / 2, textoY, {70, 20, 50}, {255, 246, 200}, 2);
        else
            textoCentradoComSombra(b, ENTRADAS[i], CAIXA_LARGURA / 2, textoY, {226, 222, 255}, CONTORNO, 2);
    }
    return b;
}
