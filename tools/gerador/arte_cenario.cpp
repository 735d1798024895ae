// The two stages' scenery: the backgrounds (night for stage 1, sunset for
// stage 2), the scenery layers that drift down over the playfield, and the
// ground the characters stand on.
//
// Where things are: the playfield is columns 141-499; the arrow lanes are
// columns 0-140 (Zorbo) and 500-639 (Velna), with the targets at rows 9-40
// (the arrows and hit marks are drawn by the lanes, the targets only here).
// Walls fall as pure black over the playfield, so the playfield stays
// mid-bright, never near black; the lanes stay dark and calm so the bright
// arrows read well. Pure black appears nowhere: it is solid for the
// characters. The backgrounds are opaque (no magenta either: a magenta pixel
// would leave the buffer black there, and so solid).
#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "formas.h"
#include "letras.h"
#include "pincel.h"

namespace {

using pincel::BAYER;
using pincel::degrade;
using pincel::estrelas;
using pincel::Cor;
using pincel::deCor;
using pincel::misturar;
using pincel::rgb;
using pincel::Sorteio;

constexpr int LARGURA_TELA = 640;
constexpr int ALTURA_TELA = 480;
constexpr int CAMPO_X = 141;           // first playfield column
constexpr int CAMPO_LARGURA = 359;     // columns 141-499
constexpr int ALTURA_CHAO = 10;
constexpr int ALTURA_MOVEL = 960;      // two copies of one 480-row picture
constexpr int ALTURA_LADRILHO = 480;

// The lanes' target columns, left to right: left, down, up, right arrows.
constexpr int COLUNAS_ALVO_J1[4] = {9, 40, 71, 102};
constexpr int DESLOCAMENTO_RAIA_J2 = 499;
constexpr int LINHA_ALVO = 9;
constexpr int LARGURA_ALVO = 30;
constexpr int ALTURA_ALVO = 32;

// ---- Stage palettes ----------------------------------------------------------

struct Paleta {
    std::vector<Cor> ceu;      // sky stops, top to horizon
    Cor raiaFundo, raiaTrilha, raiaFaixa, raiaLinha;
    Cor alvoMiolo, alvoBorda, alvoBrilho;
    Cor colunaEscura, colunaMeio, colunaClara;
    Cor nomeJ1, nomeJ2;
};

Paleta paletaNoite() {
    return Paleta{{{50, 46, 104}, {66, 58, 126}, {96, 74, 146}, {136, 96, 160}},
                  {22, 20, 42},   {28, 26, 54},   {40, 38, 78},   {78, 74, 136},
                  {34, 32, 66},   {132, 130, 196}, {186, 186, 236},
                  {46, 44, 86},   {96, 100, 156}, {168, 176, 226},
                  {116, 54, 70},  {48, 112, 88}};
}

Paleta paletaPorDoSol() {
    return Paleta{{{92, 58, 128}, {166, 76, 120}, {232, 120, 96}, {252, 184, 104}},
                  {38, 20, 40},   {48, 26, 50},   {66, 38, 70},   {128, 76, 112},
                  {52, 30, 58},   {222, 150, 150}, {255, 214, 170},
                  {90, 46, 52},   {178, 112, 70}, {240, 196, 120},
                  {130, 50, 60},  {50, 118, 92}};
}

// ---- The lanes ------------------------------------------------------------------

// The arrows' own colour per direction (left, down, up, right), echoed
// faintly by the targets' rims.
const Cor TOM_DA_DIRECAO[4] = {{255, 92, 180}, {72, 152, 255}, {70, 222, 104}, {255, 214, 52}};

// An arrow outline pointing up inside a target's 30 x 32 box; the other three
// directions are this one turned or mirrored.
std::vector<int> setaParaCima() {
    return {15, 1, 28, 14, 20, 14, 20, 30, 10, 30, 10, 14, 2, 14};
}

std::vector<int> setaParaEsquerda() {
    return {1, 16, 14, 3, 14, 11, 28, 11, 28, 21, 14, 21, 14, 29};
}

std::vector<int> espelharVertical(std::vector<int> p) {
    for (std::size_t i = 1; i < p.size(); i += 2) p[i] = ALTURA_ALVO - 1 - p[i];
    return p;
}

std::vector<int> espelharHorizontal(std::vector<int> p) {
    for (std::size_t i = 0; i < p.size(); i += 2) p[i] = LARGURA_ALVO - 1 - p[i];
    return p;
}

// A target: the arrow's shape, dim inside, with a two-pixel rim (bright
// outside, softer inside), so the player sees where each arrow is answered.
void desenharAlvo(BITMAP* b, int x, int y, std::vector<int> forma, const Paleta& p, Cor tom) {
    Cor borda = misturar(p.alvoBorda, tom, 0.45);
    BITMAP* molde = pincel::nova(LARGURA_ALVO, ALTURA_ALVO, pincel::magenta());
    polygon(molde, int(forma.size()) / 2, forma.data(), rgb(p.alvoMiolo));
    auto dentro = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < LARGURA_ALVO && j < ALTURA_ALVO &&
               getpixel(molde, i, j) != pincel::magenta();
    };
    auto distanciaDaBorda = [&](int i, int j) {
        for (int d = 1; d <= 2; d++)
            if (!dentro(i - d, j) || !dentro(i + d, j) || !dentro(i, j - d) || !dentro(i, j + d)) return d;
        return 3;
    };
    for (int j = 0; j < ALTURA_ALVO; j++)
        for (int i = 0; i < LARGURA_ALVO; i++) {
            if (!dentro(i, j)) continue;
            int d = distanciaDaBorda(i, j);
            Cor c = d == 1 ? borda : (d == 2 ? misturar(borda, p.alvoMiolo, 0.6) : p.alvoMiolo);
            putpixel(b, x + i, y + j, rgb(c));
        }
    // A glint at the tip.
    putpixel(b, x + forma[0], y + forma[1], rgb(p.alvoBrilho));
    destroy_bitmap(molde);
}

void desenharRaia(BITMAP* b, int deslocamento, const Paleta& p, const std::string& nome, Cor corNome) {
    // Player 2's columns are player 1's moved right, but the lane itself
    // starts where the playfield ends.
    int x0 = deslocamento == 0 ? 0 : CAMPO_X + CAMPO_LARGURA, x1 = deslocamento == 0 ? CAMPO_X - 1 : LARGURA_TELA - 1;
    rectfill(b, x0, 0, x1, ALTURA_TELA - 1, rgb(p.raiaFundo));
    // One dim track per column, with a dotted guide down its middle.
    for (int c : COLUNAS_ALVO_J1) {
        int x = c + deslocamento;
        rectfill(b, x, 0, x + LARGURA_ALVO - 1, ALTURA_TELA - 1, rgb(p.raiaTrilha));
        for (int y = 48; y < ALTURA_TELA; y += 4) putpixel(b, x + LARGURA_ALVO / 2, y, rgb(p.raiaFaixa));
        vline(b, x - 1, 0, ALTURA_TELA - 1, rgb(p.raiaFundo));
    }
    // A faint glow under the hit band, fading down the lane.
    for (int y = LINHA_ALVO + ALTURA_ALVO + 4; y < 200; y++) {
        double t = 1.0 - double(y - LINHA_ALVO - ALTURA_ALVO - 4) / (200 - LINHA_ALVO - ALTURA_ALVO - 4);
        for (int x = x0; x <= x1; x++) {
            int banda = int(t * 4 + (BAYER[y & 3][x & 3] + 0.5) / 16.0);
            if (banda > 0) putpixel(b, x, y, rgb(misturar(deCor(getpixel(b, x, y)), p.raiaLinha, 0.05 * banda)));
        }
    }
    // The hit band behind the targets.
    rectfill(b, x0, LINHA_ALVO - 3, x1, LINHA_ALVO + ALTURA_ALVO + 2, rgb(p.raiaFaixa));
    hline(b, x0, LINHA_ALVO - 4, x1, rgb(p.raiaLinha));
    hline(b, x0, LINHA_ALVO + ALTURA_ALVO + 3, x1, rgb(p.raiaLinha));
    const std::vector<int> formas[4] = {setaParaEsquerda(), espelharVertical(setaParaCima()),
                                        setaParaCima(), espelharHorizontal(setaParaEsquerda())};
    for (int i = 0; i < 4; i++)
        desenharAlvo(b, COLUNAS_ALVO_J1[i] + deslocamento, LINHA_ALVO, formas[i], p, TOM_DA_DIRECAO[i]);
    // The owner's name, small and dim at the foot of the lane.
    pincel::textoCentrado(b, nome, x0 + 70, 428, rgb(corNome));
}

// The metal columns that frame the playfield between the lanes.
void desenharColuna(BITMAP* b, int x, const Paleta& p) {
    const int largura = 7;
    for (int i = 0; i < largura; i++) {
        Cor c = i == 0 || i == largura - 1 ? p.colunaEscura : (i == 2 ? p.colunaClara : p.colunaMeio);
        vline(b, x + i, 0, ALTURA_TELA - 1, rgb(c));
    }
    // Rivets every 40 rows.
    for (int y = 20; y < ALTURA_TELA; y += 40) {
        putpixel(b, x + 3, y, rgb(p.colunaClara));
        putpixel(b, x + 3, y + 1, rgb(p.colunaEscura));
    }
}

void desenharMolduras(BITMAP* b, const Paleta& p) {
    desenharRaia(b, 0, p, "ZORBO", p.nomeJ1);
    desenharRaia(b, DESLOCAMENTO_RAIA_J2, p, "VELNA", p.nomeJ2);
    desenharColuna(b, 133, p);
    desenharColuna(b, 500, p);
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
    int x = CAMPO_X - 6;
    while (x < CAMPO_X + CAMPO_LARGURA) {
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
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(50, 46, 104));
    Paleta p = paletaNoite();
    degrade(b, CAMPO_X, 0, CAMPO_X + CAMPO_LARGURA - 1, 380, p.ceu, 4);
    rectfill(b, CAMPO_X, 381, CAMPO_X + CAMPO_LARGURA - 1, ALTURA_TELA - 1, rgb(p.ceu.back()));
    estrelas(b, {CAMPO_X, 2, CAMPO_X + CAMPO_LARGURA - 1, 300, 90, 7u, {150, 150, 210}, {250, 248, 255}, 7});
    desenharLua(b, 408, 86, 30);
    desenharCidade(b, 440, {96, 76, 136}, {200, 170, 130}, {110, 88, 150}, 120, 11u);
    desenharCidade(b, 440, {64, 54, 104}, {255, 214, 120}, {78, 66, 120}, 80, 23u);
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
    for (int x = CAMPO_X; x < CAMPO_X + CAMPO_LARGURA; x++) {
        double u = (x - CAMPO_X) / double(CAMPO_LARGURA);
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
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(92, 58, 128));
    Paleta p = paletaPorDoSol();
    degrade(b, CAMPO_X, 0, CAMPO_X + CAMPO_LARGURA - 1, 400, p.ceu, 4);
    rectfill(b, CAMPO_X, 401, CAMPO_X + CAMPO_LARGURA - 1, ALTURA_TELA - 1, rgb(p.ceu.back()));
    estrelas(b, {CAMPO_X, 2, CAMPO_X + CAMPO_LARGURA - 1, 90, 24, 5u, {150, 110, 170}, {240, 210, 240}, 7});
    desenharSol(b, 320, 372, 64);
    desenharMorros(b, 400, 60, 1.0, {180, 96, 116});
    desenharMorros(b, 432, 44, 3.2, {122, 64, 104});
    desenharCiprestes(b, {98, 52, 92}, {176, 96, 112});
    desenharMolduras(b, p);
    return b;
}

// ---- The drifting layers ------------------------------------------------------------

// Everything is drawn on one 480-row tile that wraps top to bottom, then
// stacked twice, so rows 0-479 equal rows 480-959 and the scroll never jumps.
class Ladrilho {
public:
    Ladrilho() : b(pincel::nova(CAMPO_LARGURA, ALTURA_LADRILHO, pincel::magenta())) {}
    ~Ladrilho() { destroy_bitmap(b); }
    Ladrilho(const Ladrilho&) = delete;
    Ladrilho& operator=(const Ladrilho&) = delete;

    // Runs `desenho` at vertical offsets -480, 0 and +480 so that what crosses
    // the bottom edge comes back in at the top.
    template <class F>
    void emVolta(F desenho) {
        for (int d = -ALTURA_LADRILHO; d <= ALTURA_LADRILHO; d += ALTURA_LADRILHO) desenho(b, d);
    }

    BITMAP* empilhar() const {
        BITMAP* camada = pincel::nova(CAMPO_LARGURA, ALTURA_MOVEL, pincel::magenta());
        blit(b, camada, 0, 0, 0, 0, CAMPO_LARGURA, ALTURA_LADRILHO);
        blit(b, camada, 0, 0, 0, ALTURA_LADRILHO, CAMPO_LARGURA, ALTURA_LADRILHO);
        return camada;
    }

private:
    BITMAP* b;
};

struct CorNuvem {
    Cor sombra, meio, luz;
};

// A flat-bottomed cloud of puffs: shadow underneath, body, lit tops.
void desenharNuvem(BITMAP* b, int x, int y, int largura, const CorNuvem& c) {
    int puffs = std::max(3, largura / 22);
    for (int camada = 0; camada < 3; camada++) {
        Cor cor = camada == 0 ? c.sombra : (camada == 1 ? c.meio : c.luz);
        int recuo = camada * 2;
        for (int i = 0; i < puffs; i++) {
            double u = (i + 0.5) / puffs;
            int px = x + int(u * largura);
            int r = int(9 + 9 * std::sin(u * 3.14159));
            circlefill(b, px - recuo / 2, y - r / 2 - recuo, std::max(2, r - recuo), rgb(cor));
        }
        if (camada == 0) rectfill(b, x, y - 6, x + largura, y + 2, rgb(cor));
        if (camada == 1) rectfill(b, x + 4, y - 8, x + largura - 4, y - 2, rgb(cor));
    }
}

// A quaver: tilted head, stem and flag, outlined.
void desenharNota(BITMAP* b, int x, int y, Cor corpo, Cor contorno) {
    ellipsefill(b, x, y, 5, 4, rgb(contorno));
    rectfill(b, x + 3, y - 17, x + 6, y, rgb(contorno));
    line(b, x + 5, y - 17, x + 11, y - 10, rgb(contorno));
    line(b, x + 6, y - 17, x + 12, y - 10, rgb(contorno));
    line(b, x + 5, y - 16, x + 11, y - 9, rgb(contorno));
    ellipsefill(b, x, y, 4, 3, rgb(corpo));
    vline(b, x + 4, y - 16, y - 1, rgb(corpo));
    line(b, x + 5, y - 16, x + 10, y - 10, rgb(corpo));
    putpixel(b, x - 2, y - 1, makecol(255, 255, 255));
}

void desenharBrilho(BITMAP* b, int x, int y, Cor c) {
    hline(b, x - 2, y, x + 2, rgb(c));
    vline(b, x, y - 2, y + 2, rgb(c));
}

struct Enfeite {
    int x, y, largura;
};

BITMAP* desenharMovel(const std::vector<Enfeite>& nuvens, const CorNuvem& corNuvem,
                      const std::vector<Enfeite>& notas, Cor corNota1, Cor corNota2, Cor contornoNota,
                      Cor brilho) {
    Ladrilho t;
    t.emVolta([&](BITMAP* b, int d) {
        for (const Enfeite& n : nuvens) desenharNuvem(b, n.x, n.y + d, n.largura, corNuvem);
        for (std::size_t i = 0; i < notas.size(); i++)
            desenharNota(b, notas[i].x, notas[i].y + d, i % 2 ? corNota1 : corNota2, contornoNota);
        for (std::size_t i = 0; i < notas.size(); i++)
            desenharBrilho(b, (notas[i].x * 7 + 90) % CAMPO_LARGURA, (notas[i].y + 200) % ALTURA_LADRILHO + d,
                           brilho);
    });
    return t.empilhar();
}

BITMAP* desenharFase1Movel() {
    return desenharMovel({{-30, 60, 130}, {230, 150, 150}, {70, 250, 110}, {-20, 360, 120}, {250, 420, 120}},
                         {{100, 92, 160}, {136, 130, 196}, {176, 172, 226}},
                         {{120, 40, 0}, {300, 110, 0}, {40, 190, 0}, {200, 300, 0}, {320, 340, 0}, {150, 450, 0}},
                         {176, 196, 255}, {255, 222, 150}, {74, 64, 126}, {220, 220, 255});
}

BITMAP* desenharFase2Movel() {
    return desenharMovel({{-20, 90, 140}, {220, 40, 150}, {110, 220, 120}, {260, 300, 120}, {-10, 400, 110}},
                         {{214, 110, 120}, {244, 156, 140}, {255, 210, 170}},
                         {{170, 20, 0}, {300, 170, 0}, {40, 260, 0}, {190, 360, 0}, {90, 130, 0}},
                         {255, 236, 170}, {255, 190, 200}, {120, 56, 96}, {255, 240, 200});
}

// ---- The ground -----------------------------------------------------------------------

// A stage edge: gold trim on top, a red skirt with a row of footlights.
BITMAP* desenharChao() {
    BITMAP* b = pincel::nova(CAMPO_LARGURA, ALTURA_CHAO, makecol(150, 40, 60));
    hline(b, 0, 0, CAMPO_LARGURA - 1, makecol(255, 230, 150));
    hline(b, 0, 1, CAMPO_LARGURA - 1, makecol(214, 156, 76));
    hline(b, 0, 2, CAMPO_LARGURA - 1, makecol(120, 30, 52));
    hline(b, 0, 8, CAMPO_LARGURA - 1, makecol(112, 30, 50));
    hline(b, 0, 9, CAMPO_LARGURA - 1, makecol(84, 24, 42));
    for (int x = 9; x < CAMPO_LARGURA; x += 20) {
        rectfill(b, x - 2, 4, x + 2, 6, makecol(255, 186, 90));
        hline(b, x - 1, 5, x + 1, makecol(255, 244, 190));
        putpixel(b, x, 3, makecol(255, 186, 90));
        putpixel(b, x, 7, makecol(255, 186, 90));
    }
    return b;
}

void gerarCenario() {
    pincel::salvar(desenharFase1(), "cenario/fase1.bmp");
    pincel::salvar(desenharFase2(), "cenario/fase2.bmp");
    pincel::salvar(desenharFase1Movel(), "cenario/fase1movel.bmp");
    pincel::salvar(desenharFase2Movel(), "cenario/fase2movel.bmp");
    pincel::salvar(desenharChao(), "cenario/chao1.bmp");
}

pincel::Registro registro("cenario", gerarCenario);

}  // namespace
