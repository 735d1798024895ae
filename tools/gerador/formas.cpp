#include "formas.h"

#include <algorithm>
#include <cmath>

namespace pincel {

bool ehMagenta(BITMAP* b, int x, int y) { return getpixel(b, x, y) == magenta(); }

void degrade(BITMAP* b, int x1, int y1, int x2, int y2, const std::vector<Cor>& paradas,
             int faixas) {
    int trechos = int(paradas.size()) - 1;
    for (int y = y1; y <= y2; y++) {
        double t = double(y - y1) / std::max(1, y2 - y1) * trechos;
        int trecho = std::min(int(t), trechos - 1);
        double nivel = (t - trecho) * faixas;
        for (int x = x1; x <= x2; x++) {
            int banda = int(nivel);
            if ((nivel - banda) * 16.0 > BAYER[y & 3][x & 3] + 0.5) banda++;
            double u = std::min(1.0, double(banda) / faixas);
            putpixel(b, x, y, rgb(misturar(paradas[trecho], paradas[trecho + 1], u)));
        }
    }
}

void estrelas(BITMAP* b, const CampoDeEstrelas& campo, const std::function<bool(int, int)>& cabe) {
    Sorteio s(campo.semente);
    for (int i = 0; i < campo.quantas; i++) {
        int x = campo.x1 + s.ate(campo.x2 - campo.x1 + 1), y = campo.y1 + s.ate(campo.y2 - campo.y1 + 1);
        if (cabe && !cabe(x, y)) continue;
        bool cruz = campo.cruzACada != 0 && i % campo.cruzACada == 0;
        putpixel(b, x, y, rgb(cruz || i % 3 == 0 ? campo.forte : campo.fraca));
        if (cruz) {
            putpixel(b, x - 1, y, rgb(campo.fraca));
            putpixel(b, x + 1, y, rgb(campo.fraca));
            putpixel(b, x, y - 1, rgb(campo.fraca));
            putpixel(b, x, y + 1, rgb(campo.fraca));
        }
    }
}

void retanguloArredondado(BITMAP* b, int x1, int y1, int x2, int y2, int r, int cor) {
    rectfill(b, x1 + r, y1, x2 - r, y2, cor);
    rectfill(b, x1, y1 + r, x2, y2 - r, cor);
    circlefill(b, x1 + r, y1 + r, r, cor);
    circlefill(b, x2 - r, y1 + r, r, cor);
    circlefill(b, x1 + r, y2 - r, r, cor);
    circlefill(b, x2 - r, y2 - r, r, cor);
}

void traco(BITMAP* b, double x1, double y1, double x2, double y2, double grossura, int cor) {
    double dx = x2 - x1, dy = y2 - y1, n = std::max(1e-6, std::hypot(dx, dy));
    double nx = -dy / n * grossura / 2, ny = dx / n * grossura / 2;
    int p[8] = {int(std::lround(x1 + nx)), int(std::lround(y1 + ny)), int(std::lround(x2 + nx)),
                int(std::lround(y2 + ny)), int(std::lround(x2 - nx)), int(std::lround(y2 - ny)),
                int(std::lround(x1 - nx)), int(std::lround(y1 - ny))};
    polygon(b, 4, p, cor);
    int r = int(std::lround(grossura / 2));
    circlefill(b, int(std::lround(x1)), int(std::lround(y1)), r, cor);
    circlefill(b, int(std::lround(x2)), int(std::lround(y2)), r, cor);
}

void trocarCor(BITMAP* b, int x1, int y1, int x2, int y2, int de, int para) {
    for (int y = y1; y <= y2; y++)
        for (int x = x1; x <= x2; x++)
            if (getpixel(b, x, y) == de) putpixel(b, x, y, para);
}

void pintarDesenho(BITMAP* b, int x1, int y1, int x2, int y2, int cor) {
    for (int y = y1; y <= y2; y++)
        for (int x = x1; x <= x2; x++)
            if (x >= 0 && y >= 0 && x < b->w && y < b->h && !ehMagenta(b, x, y)) putpixel(b, x, y, cor);
}

void contornar(BITMAP* b, int grossura, int cor) {
    BITMAP* copia = create_bitmap(b->w, b->h);
    for (int passo = 0; passo < grossura; passo++) {
        blit(b, copia, 0, 0, 0, 0, b->w, b->h);
        auto pintado = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < b->w && y < b->h && !ehMagenta(copia, x, y);
        };
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++)
                if (!pintado(x, y) &&
                    (pintado(x - 1, y) || pintado(x + 1, y) || pintado(x, y - 1) || pintado(x, y + 1)))
                    putpixel(b, x, y, cor);
    }
    destroy_bitmap(copia);
}

}  // namespace pincel
