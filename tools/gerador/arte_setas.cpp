// The arrows of the lanes and the hit mark. Every picture is 30 x 32 (lanes are
// 31 pixels apart). Each direction keeps its colour in both stages: up green,
// down blue, left pink, right yellow. Stage 1 (night) has solid bevelled
// arrows; stage 2 (sunset) has a smaller arrow inside a ring badge.
#include <allegro.h>

#include <cmath>

#include "imagens.h"
#include "pincel.h"
#include "setas.h"

namespace {

constexpr int LARGURA = LARGURA_SETA;
constexpr int ALTURA = ALTURA_SETA;
constexpr int LADO = 30;    // the arrow is drawn in a 30 x 30 square...
constexpr int TOPO = 1;     // ...that starts on row 1, so rows 0 and 31 stay clear

using pincel::contorno;

enum class Direcao { cima, baixo, esquerda, direita };

struct Estilo {
    Direcao direcao;
    pincel::Cor tom;
};

// The colour a fraction t of the way from the direction's to (r2, g2, b2), rounded down.
int misturar(pincel::Cor c, int r2, int g2, int b2, double t) {
    return makecol(int(c.r + (r2 - c.r) * t), int(c.g + (g2 - c.g) * t), int(c.b + (b2 - c.b) * t));
}
int clara(const Estilo& e) { return misturar(e.tom, 255, 255, 255, 0.55); }
int escura(const Estilo& e) { return misturar(e.tom, 40, 20, 60, 0.4); }
int base(const Estilo& e) { return pincel::rgb(e.tom); }

// An arrow shape pointing up as a polygon in the 30 x 30 square, given by its
// left half (the right half mirrors it): tip, head corner, shaft.
struct Forma {
    int pontaY, cabecaX, cabecaY, hasteX, hasteFimY;
};

// Draws the shape onto a magenta square, turned to face `d`. The up shape is
// drawn first and the others are read off it by turning the square, so all
// four directions have exactly the same outline.
BITMAP* formaVirada(const Forma& f, Direcao d) {
    BITMAP* cima = pincel::nova(LADO, LADO, pincel::magenta());
    int meio = LADO / 2 - 1;  // columns 14 and 15 form the tip
    int pontos[] = {meio, f.pontaY,     f.cabecaX, f.cabecaY, f.hasteX, f.cabecaY,
                    f.hasteX, f.hasteFimY, meio, f.hasteFimY};
    polygon(cima, 5, pontos, makecol(255, 255, 255));
    for (int y = 0; y < LADO; y++)
        for (int x = 0; x < LADO / 2; x++) putpixel(cima, LADO - 1 - x, y, getpixel(cima, x, y));

    BITMAP* virada = pincel::nova(LADO, LADO, pincel::magenta());
    for (int y = 0; y < LADO; y++)
        for (int x = 0; x < LADO; x++) {
            int origemX = x, origemY = y;
            switch (d) {
                case Direcao::cima: break;
                case Direcao::baixo: origemY = LADO - 1 - y; break;
                case Direcao::esquerda: origemX = y; origemY = x; break;
                case Direcao::direita: origemX = y; origemY = LADO - 1 - x; break;
            }
            putpixel(virada, x, y, getpixel(cima, origemX, origemY));
        }
    destroy_bitmap(cima);
    return virada;
}

bool dentro(BITMAP* mascara, int x, int y) {
    return x >= 0 && y >= 0 && x < mascara->w && y < mascara->h &&
           getpixel(mascara, x, y) != pincel::magenta();
}

// Paints the shape of `mascara` onto the picture in the direction's colour,
// lit from the upper left (light edge) and shaded on the lower right, with a
// dark outline around it.
void pintarSeta(BITMAP* destino, BITMAP* mascara, const Estilo& e) {
    for (int y = 0; y < LADO; y++)
        for (int x = 0; x < LADO; x++) {
            int px = x, py = y + TOPO;
            if (dentro(mascara, x, y)) {
                int cor = base(e);
                if (!dentro(mascara, x - 1, y) || !dentro(mascara, x, y - 1)) cor = clara(e);
                else if (!dentro(mascara, x + 1, y) || !dentro(mascara, x, y + 1)) cor = escura(e);
                putpixel(destino, px, py, cor);
            } else if (dentro(mascara, x - 1, y) || dentro(mascara, x + 1, y) ||
                       dentro(mascara, x, y - 1) || dentro(mascara, x, y + 1)) {
                putpixel(destino, px, py, contorno());
            }
        }
}

// Stage 1: a big solid arrow filling the square.
BITMAP* setaNoturna(const Estilo& e) {
    BITMAP* b = pincel::nova(LARGURA, ALTURA, pincel::magenta());
    BITMAP* mascara = formaVirada({1, 1, 14, 9, 28}, e.direcao);
    pintarSeta(b, mascara, e);
    destroy_bitmap(mascara);
    return b;
}

// Stage 2: a round badge, its ring in the direction's colour, a dusky inside
// that darkens downwards, and a smaller arrow in the middle.
BITMAP* setaCrepusculo(const Estilo& e) {
    BITMAP* b = pincel::nova(LARGURA, ALTURA, pincel::magenta());
    const double centro = (LADO - 1) / 2.0;
    for (int y = 0; y < LADO; y++)
        for (int x = 0; x < LADO; x++) {
            double d = std::hypot(x - centro, y - centro);
            int cor;
            if (d > 14.6) continue;
            if (d > 13.6) cor = contorno();
            else if (d > 11.2) cor = (x + y < LADO - 6) ? clara(e) : base(e);
            else if (d > 10.2) cor = contorno();
            else if (y < 10) cor = misturar(e.tom, 70, 30, 90, 0.7);
            else if (y < 20) cor = misturar(e.tom, 56, 24, 74, 0.78);
            else cor = misturar(e.tom, 44, 18, 60, 0.85);
            putpixel(b, x, y + TOPO, cor);
        }
    BITMAP* mascara = formaVirada({5, 6, 13, 11, 24}, e.direcao);
    pintarSeta(b, mascara, e);
    destroy_bitmap(mascara);
    return b;
}

// The hit mark: a sixteen-point burst, yellow round a white-hot middle, with
// a red "!" on it.
BITMAP* exclamacao() {
    BITMAP* b = pincel::nova(LARGURA, ALTURA, pincel::magenta());
    const double cx = (LARGURA - 1) / 2.0, cy = (ALTURA - 1) / 2.0;
    int pontos[32 * 2];
    for (int i = 0; i < 32; i++) {
        double raio = (i % 2 == 0) ? 13.5 : 8.5;
        double angulo = i * M_PI / 16 - M_PI / 2;
        pontos[2 * i] = int(std::lround(cx + raio * std::cos(angulo)));
        pontos[2 * i + 1] = int(std::lround(cy + raio * std::sin(angulo)));
    }
    polygon(b, 32, pontos, makecol(255, 196, 40));
    for (int y = 0; y < ALTURA; y++)
        for (int x = 0; x < LARGURA; x++) {
            if (getpixel(b, x, y) == pincel::magenta()) continue;
            double d = std::hypot(x - cx, y - cy);
            if (d < 6.5) putpixel(b, x, y, makecol(255, 252, 220));
            else if (d < 9.5) putpixel(b, x, y, makecol(255, 236, 110));
        }
    // An orange rim and the dark outline keep the burst apart from a sunset sky.
    BITMAP* estrela = create_bitmap(LARGURA, ALTURA);
    blit(b, estrela, 0, 0, 0, 0, LARGURA, ALTURA);
    for (int y = 0; y < ALTURA; y++)
        for (int x = 0; x < LARGURA; x++) {
            bool vizinho = dentro(estrela, x - 1, y) || dentro(estrela, x + 1, y) ||
                           dentro(estrela, x, y - 1) || dentro(estrela, x, y + 1);
            bool borda = !dentro(estrela, x - 1, y) || !dentro(estrela, x + 1, y) ||
                         !dentro(estrela, x, y - 1) || !dentro(estrela, x, y + 1);
            if (!dentro(estrela, x, y)) {
                if (vizinho) putpixel(b, x, y, contorno());
            } else if (borda) {
                putpixel(b, x, y, makecol(246, 128, 32));
            }
        }
    destroy_bitmap(estrela);
    // The "!": a bar narrowing downwards and a dot, outlined in dark red.
    int vermelho = makecol(226, 30, 56), bordo = makecol(120, 10, 40);
    int barra[] = {12, 6, 17, 6, 16, 19, 13, 19};
    polygon(b, 4, barra, bordo);
    int miolo[] = {13, 7, 16, 7, 15, 18, 14, 18};
    polygon(b, 4, miolo, vermelho);
    rectfill(b, 12, 21, 17, 25, bordo);
    rectfill(b, 13, 22, 16, 24, vermelho);
    return b;
}

void gerarSetas() {
    const Estilo estilos[] = {
        {Direcao::cima, TOM_CIMA},
        {Direcao::baixo, TOM_BAIXO},
        {Direcao::esquerda, TOM_ESQUERDA},
        {Direcao::direita, TOM_DIREITA},
    };
    // The game's arrow codes: 0-3 stage 1, 4-7 stage 2, each up, down, left, right.
    for (int i = 0; i < 4; i++) {
        pincel::salvar(setaNoturna(estilos[i]), imagens::SETAS[i]);
        pincel::salvar(setaCrepusculo(estilos[i]), imagens::SETAS[4 + i]);
    }
    pincel::salvar(exclamacao(), imagens::EXCLAMACAO);
}

pincel::Registro registro("setas", gerarSetas);

}  // namespace
