// The two stages' scenery: the backgrounds (night for stage 1, sunset for
// stage 2), the scenery layers that drift down over the playfield
// (cenario_movel.cpp), and the ground the characters stand on.
//
// Where things are (medidas.h): the playfield is LARGURA_CAMPO columns from
// X_CAMPO; the arrow lanes are the columns left of it (Zorbo) and right of it
// (Velna), with the targets from row LINHA_ALVOS (the arrows and hit marks
// are drawn by the lanes, the targets only here). Walls fall as pure black over the playfield, so the playfield stays
// mid-bright, never near black; the lanes stay dark and calm so the bright
// arrows read well. Pure black appears nowhere: it is solid for the
// characters. The backgrounds are opaque (no magenta either: a magenta pixel
// would leave the buffer black there, and so solid).
#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "cenario.h"
#include "formas.h"
#include "imagens.h"
#include "pincel.h"

namespace {

using pincel::Cor;
using pincel::degrade;
using pincel::estrelas;
using pincel::misturar;
using pincel::rgb;
using pincel::Sorteio;

// The game stands the ground on the playfield's last row; its top is the
// characters' feet.
constexpr int ALTURA_CHAO = MAX_Y - medidas::LINHA_CHAO;

// ---- Stage palettes ----------------------------------------------------------

PaletaFase paletaNoite() {
    return PaletaFase{{{50, 46, 104}, {66, 58, 126}, {96, 74, 146}, {136, 96, 160}},
                      {22, 20, 42},   {28, 26, 54},   {40, 38, 78},   {78, 74, 136},
                      {34, 32, 66},   {132, 130, 196}, {186, 186, 236},
                      {46, 44, 86},   {96, 100, 156}, {168, 176, 226},
                      {116, 54, 70},  {48, 112, 88}};
}

PaletaFase paletaPorDoSol() {
    return PaletaFase{{{92, 58, 128}, {166, 76, 120}, {232, 120, 96}, {252, 184, 104}},
                      {38, 20, 40},   {48, 26, 50},   {66, 38, 70},   {128, 76, 112},
                      {52, 30, 58},   {222, 150, 150}, {255, 214, 170},
                      {90, 46, 52},   {178, 112, 70}, {240, 196, 120},
                      {130, 50, 60},  {50, 118, 92}};
}

// A stage background with its sky over the playfield: the palette's gradient
// down to row `horizonte`, its last colour below, and the stars.
BITMAP* ceuDaFase(const PaletaFase& p, int horizonte, const pincel::CampoDeEstrelas& campo) {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, rgb(p.ceu.front()));
    degrade(b, X_CAMPO, 0, X_CAMPO + LARGURA_CAMPO - 1, horizonte, p.ceu, 4);
    rectfill(b, X_CAMPO, horizonte + 1, X_CAMPO + LARGURA_CAMPO - 1, ALTURA_TELA - 1, rgb(p.ceu.back()));
    estrelas(b, campo);
    return b;
}

// ---- Stage 1: a town under the moon -----------------------------------------------

void desenharLua(BITMAP* b, int cx, int cy, int r) {
    // Two dithered halo rings, then the disc, its shaded side and craters.
    for (int y = cy - r - 10; y <= cy + r + 10; y++)
        for (int x = cx - r - 10; x <= cx + r + 10; x++) {
            double d = std::hypot(x - cx, y - cy);
            if (d > r && d <= r + 4 && ((x + y) & 1)) putpixel(b, x, y, makecol(128, 116, 184));
            if (d > r + 4 && d <= r + 10 && ((x & 1) && (y & 1))) putpixel(b, x, y, makecol(110, 98, 170));
        }
    circlefill(b, cx, cy, r, makecol(250, 244, 214));
    circlefill(b, cx + 5, cy + 4, r - 2, makecol(232, 224, 192));
    circlefill(b, cx - 3, cy - 3, r - 6, makecol(250, 244, 214));
    circlefill(b, cx - 9, cy - 6, 6, makecol(222, 212, 180));
    circlefill(b, cx + 10, cy + 9, 8, makecol(222, 212, 180));
    circlefill(b, cx + 12, cy - 12, 4, makecol(222, 212, 180));
    circlefill(b, cx - 12, cy + 13, 3, makecol(222, 212, 180));
}

// A skyline of buildings with lit windows, standing on row `base`, up to `alturaMax` high.
void desenharCidade(BITMAP* b, int base, Cor parede, Cor janela, Cor janelaApagada, int alturaMax,
                    uint32_t semente) {
    Sorteio s(semente);
    int x = X_CAMPO - 6;
    while (x < X_CAMPO + LARGURA_CAMPO) {
        int largura = 22 + s.ate(26), altura = alturaMax / 3 + s.ate(alturaMax * 2 / 3);
        int topo = base - altura;
        rectfill(b, x, topo, x + largura - 1, base, rgb(parede));
        if (s.ate(3) == 0) {  // a pointed roof or a water tank on some
            triangle(b, x, topo, x + largura - 1, topo, x + largura / 2, topo - 8, rgb(parede));
        } else if (s.ate(2) == 0) {
            rectfill(b, x + 4, topo - 6, x + 10, topo - 1, rgb(parede));
        }
        for (int wy = topo + 5; wy < base - 4; wy += 8)
            for (int wx = x + 4; wx < x + largura - 5; wx += 7)
                rectfill(b, wx, wy, wx + 2, wy + 3, rgb(s.ate(5) < 2 ? janela : janelaApagada));
        x += largura + s.ate(3);
    }
}

BITMAP* desenharFase1() {
    const PaletaFase p = paletaNoite();
    BITMAP* b = ceuDaFase(p, 380, {X_CAMPO, 2, X_CAMPO + LARGURA_CAMPO - 1, 300, 90, 7u,
                                   {150, 150, 210}, {250, 248, 255}, 7});
    desenharLua(b, 408, 86, 30);
    // The town stands on the ground, just above the characters' feet.
    const int rua = medidas::LINHA_CHAO - 1;
    desenharCidade(b, rua, {96, 76, 136}, {200, 170, 130}, {110, 88, 150}, 120, 11u);
    desenharCidade(b, rua, {64, 54, 104}, {255, 214, 120}, {78, 66, 120}, 80, 23u);
    desenharMolduras(b, p);
    return b;
}

// ---- Stage 2: hills at sunset ------------------------------------------------------

void desenharSol(BITMAP* b, int cx, int cy, int r) {
    for (int y = cy - r; y <= cy + r; y++) {
        // Bands cut across the lower half, wider towards the horizon.
        int faixa = y - cy;
        if (faixa > 0 && (faixa % 10) < 1 + faixa / 12) continue;
        double t = double(y - (cy - r)) / (2 * r);
        Cor c = misturar({255, 244, 170}, {255, 150, 90}, t);
        int meia = int(std::sqrt(std::max(0, r * r - (y - cy) * (y - cy))));
        hline(b, cx - meia, y, cx + meia, rgb(c));
    }
}

// Rolling hills: a band whose top follows a sum of two waves.
void desenharMorros(BITMAP* b, int base, int altura, double fase, Cor cor) {
    for (int x = X_CAMPO; x < X_CAMPO + LARGURA_CAMPO; x++) {
        double u = (x - X_CAMPO) / double(LARGURA_CAMPO);
        int topo = base - int(altura * (0.55 + 0.3 * std::sin(u * 6.3 + fase) + 0.15 * std::sin(u * 17 + fase * 2)));
        vline(b, x, topo, ALTURA_TELA - 1, rgb(cor));
    }
}

// Slim cypress trees on the hills: pointed dark shapes with the sun on one edge.
void desenharCiprestes(BITMAP* b, Cor cor, Cor brilho) {
    const int xs[] = {170, 184, 300, 452, 468, 480};
    const int bases[] = {404, 408, 418, 398, 404, 410};
    const int alturas[] = {40, 28, 26, 44, 30, 22};
    for (int i = 0; i < 6; i++) {
        int x = xs[i], base = bases[i], h = alturas[i], r = std::max(4, h / 6);
        ellipsefill(b, x, base - h / 3, r, h / 3, rgb(cor));
        triangle(b, x - r, base - h / 3, x + r, base - h / 3, x, base - h, rgb(cor));
        rectfill(b, x - 1, base - 2, x + 1, base + 6, rgb(cor));
        line(b, x + r - 1, base - h / 3, x + 1, base - h + 3, rgb(brilho));
        vline(b, x + r, base - h / 3 - 2, base - h / 3 + h / 6, rgb(brilho));
    }
}

BITMAP* desenharFase2() {
    const PaletaFase p = paletaPorDoSol();
    BITMAP* b = ceuDaFase(p, 400, {X_CAMPO, 2, X_CAMPO + LARGURA_CAMPO - 1, 90, 24, 5u,
                                   {150, 110, 170}, {240, 210, 240}, 7});
    desenharSol(b, 320, 372, 64);
    desenharMorros(b, 400, 60, 1.0, {180, 96, 116});
    desenharMorros(b, 432, 44, 3.2, {122, 64, 104});
    desenharCiprestes(b, {98, 52, 92}, {176, 96, 112});
    desenharMolduras(b, p);
    return b;
}

// ---- The ground -----------------------------------------------------------------------

// A stage edge: gold trim on top, a red skirt with a row of footlights.
BITMAP* desenharChao() {
    BITMAP* b = pincel::nova(LARGURA_CAMPO, ALTURA_CHAO, makecol(150, 40, 60));
    hline(b, 0, 0, LARGURA_CAMPO - 1, makecol(255, 230, 150));
    hline(b, 0, 1, LARGURA_CAMPO - 1, makecol(214, 156, 76));
    hline(b, 0, 2, LARGURA_CAMPO - 1, makecol(120, 30, 52));
    hline(b, 0, 8, LARGURA_CAMPO - 1, makecol(112, 30, 50));
    hline(b, 0, 9, LARGURA_CAMPO - 1, makecol(84, 24, 42));
    for (int x = 9; x < LARGURA_CAMPO; x += 20) {
        rectfill(b, x - 2, 4, x + 2, 6, makecol(255, 186, 90));
        hline(b, x - 1, 5, x + 1, makecol(255, 244, 190));
        putpixel(b, x, 3, makecol(255, 186, 90));
        putpixel(b, x, 7, makecol(255, 186, 90));
    }
    return b;
}

void gerarCenario() {
    pincel::salvar(desenharFase1(), imagens::FASE1);
    pincel::salvar(desenharFase2(), imagens::FASE2);
    pincel::salvar(desenharFase1Movel(), imagens::FASE1_MOVEL);
    pincel::salvar(desenharFase2Movel(), imagens::FASE2_MOVEL);
    pincel::salvar(desenharChao(), imagens::CHAO);
}

pincel::Registro registro("cenario", gerarCenario);

}  // namespace
