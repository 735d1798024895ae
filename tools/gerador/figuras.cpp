// The big Zorbo and Velna, part by part on a Figura, back to front.
#include "figuras.h"

#include <cmath>

#include "paletas.h"

namespace {

using pincel::BRANCO;
using pincel::escurecer;
using pincel::clarear;

constexpr int FIGURA_LARGURA = 160;  // the design box of a figure
constexpr int FIGURA_ALTURA = 222;

// ---- Zorbo: stocky drummer in red and orange, yellow headband, round head. ----

void zorboBaqueta(Figura& fig, Ponto mao, Ponto aponta) {
    double dx = aponta.x, dy = aponta.y, n = std::hypot(dx, dy);
    dx /= n;
    dy /= n;
    fig.novaParte();
    fig.linha(mao.x - dx * 8, mao.y - dy * 8, mao.x + dx * 44, mao.y + dy * 44, 5, zorbo::MADEIRA);
    fig.circulo(mao.x + dx * 44, mao.y + dy * 44, 4, clarear(zorbo::MADEIRA, 0.5));
    fig.colar(2);
}

void zorboBraco(Figura& fig, Ponto ombro, Ponto mao) {
    fig.novaParte();
    double mx = ombro.x + (mao.x - ombro.x) * 0.35, my = ombro.y + (mao.y - ombro.y) * 0.35;
    fig.linha(ombro.x, ombro.y, mao.x, mao.y, 12, zorbo::PELE);
    fig.linha(ombro.x, ombro.y, mx, my, 17, zorbo::CAMISA);
    fig.colar(3);
}

void zorboMao(Figura& fig, Ponto mao) {
    fig.novaParte();
    fig.circulo(mao.x, mao.y, 8, zorbo::PELE);
    fig.colar(3);
}

void zorboPernas(Figura& fig) {
    fig.novaParte();
    fig.retangulo(58, 170, 72, 204, zorbo::PELE);
    fig.retangulo(88, 170, 102, 204, zorbo::PELE);
    fig.colar(3);
    fig.novaParte();
    fig.elipse(60, 208, 15, 9, zorbo::SAPATO);
    fig.elipse(100, 208, 15, 9, zorbo::SAPATO);
    fig.pintarFaixa(40, 213, 120, 222, zorbo::SOLA);
    fig.colar(3);
    fig.novaParte();
    fig.retangulo(50, 140, 110, 166, zorbo::SHORT);
    fig.retangulo(50, 166, 77, 180, zorbo::SHORT);
    fig.retangulo(83, 166, 110, 180, zorbo::SHORT);
    fig.colar(4);
}

void zorboTronco(Figura& fig) {
    fig.novaParte();
    fig.elipse(80, 118, 38, 34, zorbo::CAMISA);
    fig.retangulo(44, 118, 116, 150, zorbo::CAMISA);
    fig.pintarFaixa(40, 108, 120, 116, zorbo::LISTRA);
    fig.colar(5);
    // The drum's strap across the chest.
    fig.novaParte();
    fig.linha(56, 92, 104, 136, 6, zorbo::CABELO);
    fig.colar(2);
}

void zorboTambor(Figura& fig) {
    fig.novaParte();
    fig.retangulo(50, 132, 110, 160, zorbo::TAMBOR);
    fig.elipse(80, 160, 30, 8, zorbo::TAMBOR);
    fig.pintarFaixa(48, 155, 112, 170, zorbo::ARO);
    fig.pintarFaixa(48, 131, 112, 137, zorbo::ARO);
    // White tension cords zig-zag round the shell.
    for (int i = 0; i < 5; i++) {
        double x = 54 + i * 13;
        fig.linha(x, 139, x + 6, 152, 2, zorbo::CORDA);
        fig.linha(x + 6, 152, x + 12, 139, 2, zorbo::CORDA);
    }
    fig.colar(5);
    fig.novaParte();
    fig.elipse(80, 132, 30, 8, zorbo::PELE_TAMBOR);
    fig.colar(2);
}

// The headband's loose ends fly out behind the whole figure.
void zorboFitas(Figura& fig) {
    fig.novaParte();
    fig.linha(104, 42, 130, 30, 6, zorbo::FAIXA);
    fig.linha(104, 46, 128, 52, 6, escurecer(zorbo::FAIXA, 0.15));
    fig.colar(2);
}

void zorboCabeca(Figura& fig, bool feliz) {
    fig.novaParte();
    fig.circulo(51, 62, 7, zorbo::PELE);
    fig.circulo(109, 62, 7, zorbo::PELE);
    fig.colar(2);
    fig.novaParte();
    fig.circulo(80, 56, 30, zorbo::PELE);
    fig.triangulo(60, 36, 66, 16, 74, 32, zorbo::CABELO);
    fig.triangulo(72, 30, 80, 12, 88, 30, zorbo::CABELO);
    fig.triangulo(86, 32, 96, 16, 100, 36, zorbo::CABELO);
    fig.trocar(40, 10, 120, 40, zorbo::PELE, zorbo::CABELO);
    fig.pintarFaixa(40, 38, 120, 45, zorbo::FAIXA);
    fig.colar(6);
    // Face.
    if (feliz) {
        fig.detalheLinha(62, 58, 68, 54, 3, zorbo::OLHO);  // eyes shut with joy
        fig.detalheLinha(68, 54, 74, 58, 3, zorbo::OLHO);
        fig.detalheLinha(86, 58, 92, 54, 3, zorbo::OLHO);
        fig.detalheLinha(92, 54, 98, 58, 3, zorbo::OLHO);
    } else {
        fig.detalheElipse(68, 58, 5, 6, BRANCO);
        fig.detalheElipse(92, 58, 5, 6, BRANCO);
        fig.detalheCirculo(70, 59, 3, zorbo::OLHO);
        fig.detalheCirculo(94, 59, 3, zorbo::OLHO);
        fig.detalheCirculo(71, 57, 1, BRANCO);
        fig.detalheCirculo(95, 57, 1, BRANCO);
        fig.detalheLinha(62, 49, 72, 48, 3, zorbo::CABELO);
        fig.detalheLinha(88, 48, 98, 49, 3, zorbo::CABELO);
    }
    fig.detalheElipse(60, 68, 5, 3, {240, 120, 100});
    fig.detalheElipse(100, 68, 5, 3, {240, 120, 100});
    fig.detalheElipse(80, 70, 13, 10, zorbo::BOCA);
    fig.detalheRetangulo(66, 58, 94, 70, zorbo::PELE);
    fig.detalheElipse(80, 76, 6, 3, {240, 110, 110});
    fig.detalheRetangulo(72, 70, 88, 72, BRANCO);
    fig.detalheLinha(78, 64, 82, 64, 2, escurecer(zorbo::PELE, 0.3));
}

}  // namespace

BITMAP* desenharZorbo(double escala, const Pose& pose, bool feliz) {
    Figura fig(int(FIGURA_LARGURA * escala), int(FIGURA_ALTURA * escala), escala);
    Ponto ombroE{48, 98}, ombroD{112, 98};
    zorboFitas(fig);
    zorboPernas(fig);
    zorboTronco(fig);
    zorboTambor(fig);
    zorboBaqueta(fig, pose.maoEsquerda, pose.apontaEsquerda);
    zorboBaqueta(fig, pose.maoDireita, pose.apontaDireita);
    zorboBraco(fig, ombroE, pose.maoEsquerda);
    zorboBraco(fig, ombroD, pose.maoDireita);
    zorboMao(fig, pose.maoEsquerda);
    zorboMao(fig, pose.maoDireita);
    zorboCabeca(fig, feliz);
    return fig.entregar();
}

namespace {

// ---- Velna: slender, teal tunic over green leggings, golden ponytail. ----

void velnaMaraca(Figura& fig, Ponto mao, Ponto aponta) {
    double dx = aponta.x, dy = aponta.y, n = std::hypot(dx, dy);
    dx /= n;
    dy /= n;
    fig.novaParte();
    fig.linha(mao.x - dx * 4, mao.y - dy * 4, mao.x + dx * 18, mao.y + dy * 18, 5, velna::CABO);
    fig.colar(2);
    fig.novaParte();
    Ponto bola{mao.x + dx * 26, mao.y + dy * 26};
    fig.circulo(bola.x, bola.y, 11, velna::MARACA);
    fig.pintarFaixa(bola.x - 12, bola.y - 2, bola.x + 12, bola.y + 2, velna::FAIXA_MARACA);
    fig.colar(4);
}

void velnaBraco(Figura& fig, Ponto ombro, Ponto mao) {
    fig.novaParte();
    double mx = ombro.x + (mao.x - ombro.x) * 0.3, my = ombro.y + (mao.y - ombro.y) * 0.3;
    fig.linha(ombro.x, ombro.y, mao.x, mao.y, 8, velna::PELE);
    fig.linha(ombro.x, ombro.y, mx, my, 12, velna::TUNICA);
    fig.circulo(mao.x, mao.y, 6, velna::PELE);
    fig.colar(2);
}

void velnaPernas(Figura& fig) {
    fig.novaParte();
    fig.linha(71, 150, 67, 204, 11, velna::LEGGING);
    fig.linha(89, 150, 93, 204, 11, velna::LEGGING);
    fig.colar(3);
    fig.novaParte();
    fig.elipse(64, 210, 11, 7, velna::SAPATO);
    fig.elipse(96, 210, 11, 7, velna::SAPATO);
    fig.pintarFaixa(40, 214, 120, 222, velna::SOLA);
    fig.colar(3);
}

void velnaTronco(Figura& fig) {
    fig.novaParte();
    fig.retangulo(75, 84, 85, 98, velna::PELE);
    fig.colar(2);
    fig.novaParte();
    fig.poligono({62, 96, 98, 96, 102, 124, 114, 164, 46, 164, 58, 124}, velna::TUNICA);
    fig.pintarFaixa(40, 122, 120, 127, velna::ENFEITE);
    fig.pintarFaixa(40, 156, 120, 164, velna::ENFEITE);
    fig.colar(5);
    fig.novaParte();
    fig.triangulo(70, 96, 90, 96, 80, 108, velna::ENFEITE);
    fig.retangulo(76, 121, 84, 128, {255, 200, 60});
    fig.colar(2);
}

void velnaCabeca(Figura& fig, bool feliz) {
    // The ponytail swings out behind, from a teal tie at the crown.
    fig.novaParte();
    const double cauda[][3] = {{104, 40, 10}, {114, 46, 10}, {121, 56, 9}, {125, 68, 8},
                               {125, 80, 7},  {121, 90, 6},  {116, 97, 4}};
    for (const auto& c : cauda) fig.circulo(c[0], c[1], c[2], velna::CABELO);
    fig.colar(4);
    fig.novaParte();
    fig.circulo(80, 62, 25, velna::CABELO);
    fig.colar(4);
    fig.novaParte();
    fig.circulo(80, 66, 21, velna::PELE);
    fig.colar(4);
    // Fringe over the forehead, and the hair tie.
    fig.novaParte();
    fig.elipse(80, 44, 22, 8, velna::CABELO);
    fig.circulo(64, 50, 8, velna::CABELO);
    fig.circulo(76, 50, 7, velna::CABELO);
    fig.circulo(90, 49, 7, velna::CABELO);
    fig.colar(3);
    fig.novaParte();
    fig.circulo(101, 40, 5, velna::SOLA);
    fig.colar(2);
    if (feliz) {
        fig.detalheLinha(67, 68, 71, 64, 2.5, velna::OLHO);
        fig.detalheLinha(71, 64, 75, 68, 2.5, velna::OLHO);
        fig.detalheLinha(85, 68, 89, 64, 2.5, velna::OLHO);
        fig.detalheLinha(89, 64, 93, 68, 2.5, velna::OLHO);
    } else {
        fig.detalheElipse(72, 66, 3, 5, velna::OLHO);
        fig.detalheElipse(88, 66, 3, 5, velna::OLHO);
        fig.detalheCirculo(73, 64, 1, BRANCO);
        fig.detalheCirculo(89, 64, 1, BRANCO);
    }
    fig.detalheElipse(65, 74, 4, 2, {250, 150, 150});
    fig.detalheElipse(95, 74, 4, 2, {250, 150, 150});
    fig.detalheElipse(80, 76, 6, 5, velna::BOCA);
    fig.detalheRetangulo(73, 71, 87, 75, velna::PELE);
}

}  // namespace

BITMAP* desenharVelna(double escala, const Pose& pose, bool feliz) {
    Figura fig(int(FIGURA_LARGURA * escala), int(FIGURA_ALTURA * escala), escala);
    Ponto ombroE{64, 100}, ombroD{96, 100};
    velnaPernas(fig);
    velnaTronco(fig);
    velnaMaraca(fig, pose.maoEsquerda, pose.apontaEsquerda);
    velnaMaraca(fig, pose.maoDireita, pose.apontaDireita);
    velnaBraco(fig, ombroE, pose.maoEsquerda);
    velnaBraco(fig, ombroD, pose.maoDireita);
    velnaCabeca(fig, feliz);
    return fig.entregar();
}

void pousar(BITMAP* destino, BITMAP* figura, int cx, int chao) {
    draw_sprite(destino, figura, cx - figura->w / 2, chao - figura->h);
    destroy_bitmap(figura);
}
