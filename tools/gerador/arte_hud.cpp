// The small pictures of the cover strip: the health bar (its frame and the
// pieces of fill the game paints column by column) and the two life icons.
#include <allegro.h>

#include "Sangue.h"
#include "define.h"
#include "formas.h"
#include "imagens.h"
#include "medidas.h"
#include "pincel.h"

namespace {

using pincel::contorno;

// ---- Health bar.
//
// The fill is 12 rows high and is painted one column at a time, so every
// column of a piece is the same gradient: a full column is red with a bright
// top edge, an empty column a dull grey-purple.

constexpr int ALTURA_PREENCHIMENTO = 12;

int corCheia(int linha) {
    if (linha == 0) return makecol(255, 160, 160);
    if (linha == 1) return makecol(255, 96, 104);
    if (linha <= 7) return makecol(232, 44, 60);
    if (linha <= 9) return makecol(196, 30, 52);
    return makecol(146, 20, 44);
}

int corVazia(int linha) {
    if (linha == 0) return makecol(104, 92, 122);
    if (linha <= 9) return makecol(66, 56, 84);
    return makecol(46, 38, 60);
}

BITMAP* colunas(int largura, int (*cor)(int)) {
    BITMAP* b = create_bitmap(largura, ALTURA_PREENCHIMENTO);
    for (int y = 0; y < ALTURA_PREENCHIMENTO; y++) hline(b, 0, y, largura - 1, cor(y));
    return b;
}

// The frame is 119 x 16: a heart badge on the left (columns 0-16), then the
// window for the fill (columns 17-116, rows 2-13) left magenta so the fill
// shows through, and a rim all round. The window lies where the game paints
// the fill (define.h's POSS*_X + 1, POSS*_Y) once the frame is at POSB*_X,
// POSB*_Y. It sits at the same row as the lives box and, for player 1, ends
// well before it.
constexpr int JANELA_X = POSS1_X + 1 - POSB1_X;
constexpr int JANELA_Y = POSS1_Y - POSB1_Y;
static_assert(POSS2_X + 1 - POSB2_X == JANELA_X && POSS2_Y - POSB2_Y == JANELA_Y,
              "both players' fills lie alike in their frames");
constexpr int MOLDURA_LARGURA = JANELA_X + Sangue::CHEIO + 2;  // the window, its edge, the rim
constexpr int MOLDURA_ALTURA = JANELA_Y + ALTURA_PREENCHIMENTO + 2;
static_assert(POSB1_Y + MOLDURA_ALTURA <= medidas::ALTURA_COBERTURA &&
                  POSB2_Y + MOLDURA_ALTURA <= medidas::ALTURA_COBERTURA,
              "the frame fits in the cover strip");
static_assert(POSB1_X + MOLDURA_LARGURA <= VIDA1_X && VIDA2_X + medidas::LARGURA_VIDAS <= POSB2_X,
              "the frames keep clear of the lives boxes");

// A pixel heart, 11 x 9: 'o' lit, 'x' red, 's' shaded.
void desenharCoracao(BITMAP* b, int x0, int y0) {
    static const char* const desenho[] = {
        " xxx   xxx ",
        "xooxx xxxxx",
        "xoxxxxxxxxs",
        "xxxxxxxxxss",
        " xxxxxxxss ",
        "  xxxxxss  ",
        "   xxxss   ",
        "    xss    ",
        "     s     ",
    };
    int cores[128] = {};
    cores['o'] = makecol(255, 214, 220);
    cores['x'] = makecol(240, 52, 76);
    cores['s'] = makecol(170, 26, 56);
    for (int y = 0; y < 9; y++)
        for (int x = 0; desenho[y][x]; x++) {
            char c = desenho[y][x];
            if (c != ' ') putpixel(b, x0 + x, y0 + y, cores[int(c)]);
        }
}

BITMAP* desenharMoldura() {
    int ouro = makecol(252, 200, 72), ouroEscuro = makecol(196, 130, 40);
    int fundo = makecol(58, 40, 86), interno = makecol(30, 22, 44);
    int dir = MOLDURA_LARGURA - 1, baixo = MOLDURA_ALTURA - 1;
    BITMAP* b = pincel::nova(MOLDURA_LARGURA, MOLDURA_ALTURA, fundo);
    // Gold rim, lit on top, darker underneath, corners rounded off.
    rect(b, 0, 0, dir, baixo, ouro);
    hline(b, 1, baixo, dir - 1, ouroEscuro);
    vline(b, dir, 1, baixo - 1, ouroEscuro);
    int cantos[4][2] = {{0, 0}, {dir, 0}, {0, baixo}, {dir, baixo}};
    for (auto& c : cantos) putpixel(b, c[0], c[1], pincel::magenta());
    // A gold divider between the heart and the fill.
    vline(b, JANELA_X - 2, 1, baixo - 1, ouro);
    // Dark inner edge around the window, then the window itself.
    rect(b, JANELA_X - 1, JANELA_Y - 1, dir - 1, baixo - 1, interno);
    rectfill(b, JANELA_X, JANELA_Y, JANELA_X + Sangue::CHEIO - 1, JANELA_Y + ALTURA_PREENCHIMENTO - 1,
             pincel::magenta());
    desenharCoracao(b, 2, 3);
    return b;
}

void gerarSangue() {
    // A hit fills one column, a full bar is CHEIO columns, a miss empties DANO.
    pincel::salvar(colunas(1, corCheia), Sangue::ARQUIVO_UM_LIFE);
    pincel::salvar(colunas(Sangue::CHEIO, corCheia), Sangue::ARQUIVO_CEM_LIFE);
    pincel::salvar(colunas(Sangue::DANO, corVazia), Sangue::ARQUIVO_CINCO_UNIDADES);
    pincel::salvar(desenharMoldura(), Sangue::ARQUIVO_BARRA_HP);
}

// ---- Life icons: a 16 x 16 spotted mushroom with a face, red for Zorbo and
// green for Velna. They are shown on the black lives box, so the cap and
// stem are bright and the spots white.

struct Cogumelo {
    int chapeu, sombra, brilho;
};

constexpr int LADO_COGUMELO = 16;
static_assert(medidas::VIDAS_INICIAIS * LADO_COGUMELO <= medidas::LARGURA_VIDAS &&
                  LADO_COGUMELO <= medidas::ALTURA_VIDAS,
              "every life's icon fits side by side in the lives box");

BITMAP* desenharCogumelo(const Cogumelo& c) {
    BITMAP* b = pincel::nova(LADO_COGUMELO, LADO_COGUMELO, pincel::magenta());
    int caule = makecol(250, 236, 200), cauleSombra = makecol(214, 190, 150);
    int branco = makecol(255, 255, 250);
    // The cap: a dome as wide as the icon (rows 1-8), its brim one shade darker.
    ellipsefill(b, 7, 8, 6, 7, c.chapeu);
    ellipsefill(b, 8, 8, 6, 7, c.chapeu);
    rectfill(b, 0, 9, 15, 15, pincel::magenta());
    hline(b, 1, 8, 14, c.sombra);
    hline(b, 3, 2, 5, c.brilho);
    putpixel(b, 2, 3, c.brilho);
    // The stem under it, shaded on the right, with two eyes.
    rectfill(b, 5, 9, 10, 14, caule);
    rectfill(b, 9, 9, 10, 14, cauleSombra);
    hline(b, 6, 14, 9, cauleSombra);
    putpixel(b, 5, 14, pincel::magenta());
    putpixel(b, 10, 14, pincel::magenta());
    vline(b, 6, 10, 11, contorno());
    vline(b, 9, 10, 11, contorno());
    // White spots.
    rectfill(b, 3, 5, 4, 6, branco);
    rectfill(b, 7, 2, 9, 3, branco);
    rectfill(b, 11, 5, 12, 6, branco);
    putpixel(b, 7, 6, branco);
    pincel::contornar(b, 1, contorno());
    return b;
}

void gerarVidas() {
    pincel::salvar(desenharCogumelo({makecol(230, 40, 52), makecol(160, 24, 44),
                                     makecol(255, 130, 130)}),
                   imagens::RED_MUSH);
    pincel::salvar(desenharCogumelo({makecol(64, 200, 86), makecol(30, 132, 66),
                                     makecol(160, 245, 160)}),
                   imagens::GREEN_MUSH);
}

pincel::Registro registroSangue("sangue", gerarSangue);
pincel::Registro registroVidas("vidas", gerarVidas);

}  // namespace
