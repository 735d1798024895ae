#ifndef FIGURA_H
#define FIGURA_H

// The painter of the big figures of the title and the finish screens.

#include <allegro.h>

#include <cmath>
#include <vector>

#include "pincel.h"

struct Ponto {
    double x, y;
};

// A figure is painted back to front. Each part is drawn flat on its own
// magenta card, then gets a light rim on its upper-left edge, a shaded rim
// on its lower-right edge and a dark outline, and is pasted on the figure.
// Shapes are given in design coordinates, scaled by `escala` to pixels.
class Figura {
public:
    using Cor = pincel::Cor;

    Figura(int largura, int altura, double escala);
    ~Figura();
    Figura(const Figura&) = delete;
    Figura& operator=(const Figura&) = delete;

    // Design coordinates to pixels.
    int p(double v) const { return int(std::lround(v * f)); }

    // Shapes on the current part.
    void circulo(double x, double y, double r, Cor c);
    void elipse(double x, double y, double rx, double ry, Cor c);
    void retangulo(double x1, double y1, double x2, double y2, Cor c);
    void linha(double x1, double y1, double x2, double y2, double g, Cor c);
    void poligono(const std::vector<double>& pontos, Cor c);
    void triangulo(double x1, double y1, double x2, double y2, double x3, double y3, Cor c);
    // Repaints the part's pixels of colour `de` inside a design rectangle.
    void trocar(double x1, double y1, double x2, double y2, Cor de, Cor para);
    // Repaints every drawn pixel of the part inside a design rectangle.
    void pintarFaixa(double x1, double y1, double x2, double y2, Cor c);

    // Shapes straight on the figure, for small details over finished parts.
    void detalheCirculo(double x, double y, double r, Cor c);
    void detalheElipse(double x, double y, double rx, double ry, Cor c);
    void detalheLinha(double x1, double y1, double x2, double y2, double g, Cor c);
    void detalheRetangulo(double x1, double y1, double x2, double y2, Cor c);

    void novaParte();
    // Shades, outlines and pastes the current part; `luz` is how deep, in
    // design units, the lit and shaded rims reach.
    void colar(double luz = 4);

    // Hands over the finished figure.
    BITMAP* entregar();

private:
    const double f;
    BITMAP* tela;
    BITMAP* parte;
};

#endif
