#include "figura.h"

#include <algorithm>

#include "formas.h"

using pincel::clarear;
using pincel::escurecer;
using pincel::rgb;

Figura::Figura(int largura, int altura, double escala)
    : f(escala),
      tela(pincel::nova(largura, altura, pincel::magenta())),
      parte(pincel::nova(largura, altura, pincel::magenta())) {}

Figura::~Figura() {
    destroy_bitmap(parte);
    if (tela) destroy_bitmap(tela);
}

void Figura::circulo(double x, double y, double r, Cor c) {
    circlefill(parte, p(x), p(y), std::max(1, p(r)), rgb(c));
}

void Figura::elipse(double x, double y, double rx, double ry, Cor c) {
    ellipsefill(parte, p(x), p(y), std::max(1, p(rx)), std::max(1, p(ry)), rgb(c));
}

void Figura::retangulo(double x1, double y1, double x2, double y2, Cor c) {
    rectfill(parte, p(x1), p(y1), p(x2), p(y2), rgb(c));
}

void Figura::linha(double x1, double y1, double x2, double y2, double g, Cor c) {
    pincel::traco(parte, x1 * f, y1 * f, x2 * f, y2 * f, std::max(1.0, g * f), rgb(c));
}

void Figura::poligono(const std::vector<double>& pontos, Cor c) {
    std::vector<int> q;
    for (double v : pontos) q.push_back(p(v));
    polygon(parte, int(q.size()) / 2, q.data(), rgb(c));
}

void Figura::triangulo(double x1, double y1, double x2, double y2, double x3, double y3, Cor c) {
    triangle(parte, p(x1), p(y1), p(x2), p(y2), p(x3), p(y3), rgb(c));
}

void Figura::trocar(double x1, double y1, double x2, double y2, Cor de, Cor para) {
    pincel::trocarCor(parte, p(x1), p(y1), p(x2), p(y2), rgb(de), rgb(para));
}

void Figura::pintarFaixa(double x1, double y1, double x2, double y2, Cor c) {
    pincel::pintarDesenho(parte, p(x1), p(y1), p(x2), p(y2), rgb(c));
}

void Figura::detalheCirculo(double x, double y, double r, Cor c) {
    circlefill(tela, p(x), p(y), std::max(0, p(r)), rgb(c));
}

void Figura::detalheElipse(double x, double y, double rx, double ry, Cor c) {
    ellipsefill(tela, p(x), p(y), std::max(1, p(rx)), std::max(1, p(ry)), rgb(c));
}

void Figura::detalheLinha(double x1, double y1, double x2, double y2, double g, Cor c) {
    pincel::traco(tela, x1 * f, y1 * f, x2 * f, y2 * f, std::max(1.0, g * f), rgb(c));
}

void Figura::detalheRetangulo(double x1, double y1, double x2, double y2, Cor c) {
    rectfill(tela, p(x1), p(y1), p(x2), p(y2), rgb(c));
}

void Figura::novaParte() { clear_to_color(parte, pincel::magenta()); }

void Figura::colar(double luz) {
    int k = std::max(1, p(luz));
    BITMAP* sombreada = create_bitmap(parte->w, parte->h);
    blit(parte, sombreada, 0, 0, 0, 0, parte->w, parte->h);
    auto dentro = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < parte->w && y < parte->h && !pincel::ehMagenta(parte, x, y);
    };
    for (int y = 0; y < parte->h; y++)
        for (int x = 0; x < parte->w; x++) {
            if (!dentro(x, y)) continue;
            Cor c = pincel::deCor(getpixel(parte, x, y));
            if (!dentro(x - k, y - k))
                putpixel(sombreada, x, y, rgb(clarear(c, 0.3)));
            else if (!dentro(x + k, y + k))
                putpixel(sombreada, x, y, rgb(escurecer(c, 0.28)));
        }
    pincel::contornar(sombreada, std::max(1, p(1.6)), rgb(pincel::CONTORNO));
    draw_sprite(tela, sombreada, 0, 0);
    destroy_bitmap(sombreada);
}

BITMAP* Figura::entregar() {
    BITMAP* pronta = tela;
    tela = nullptr;
    return pronta;
}
