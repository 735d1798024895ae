// The scenery layers that drift down over the playfield: clouds, notes and
// sparkles, magenta where the background shows through. The game draws a
// layer with its top between TOPO_MOVEL and -1 and wraps it from -1 back to
// TOPO_MOVEL, so it is twice -TOPO_MOVEL rows high, its two halves alike.
#include "cenario.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using pincel::Cor;
using pincel::rgb;

constexpr int ALTURA_LADRILHO = -medidas::TOPO_MOVEL;  // the scroll's period
constexpr int ALTURA_MOVEL = 2 * ALTURA_LADRILHO;     // two copies of one tile

// Everything is drawn on one tile that wraps top to bottom, then stacked
// twice, so the layer's two halves are equal and the scroll never jumps.
class Ladrilho {
public:
    Ladrilho() : b(pincel::nova(LARGURA_CAMPO, ALTURA_LADRILHO, pincel::magenta())) {}
    ~Ladrilho() { destroy_bitmap(b); }
    Ladrilho(const Ladrilho&) = delete;
    Ladrilho& operator=(const Ladrilho&) = delete;

    // Runs `desenho` at vertical offsets of minus one tile, 0 and one tile, so
    // that what crosses the bottom edge comes back in at the top.
    template <class F>
    void emVolta(F desenho) {
        for (int d = -ALTURA_LADRILHO; d <= ALTURA_LADRILHO; d += ALTURA_LADRILHO) desenho(b, d);
    }

    BITMAP* empilhar() const {
        BITMAP* camada = pincel::nova(LARGURA_CAMPO, ALTURA_MOVEL, pincel::magenta());
        blit(b, camada, 0, 0, 0, 0, LARGURA_CAMPO, ALTURA_LADRILHO);
        blit(b, camada, 0, 0, 0, ALTURA_LADRILHO, LARGURA_CAMPO, ALTURA_LADRILHO);
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
            desenharBrilho(b, (notas[i].x * 7 + 90) % LARGURA_CAMPO, (notas[i].y + 200) % ALTURA_LADRILHO + d,
                           brilho);
    });
    return t.empilhar();
}

}  // namespace

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
