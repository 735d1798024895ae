// The screen reader on the game library's own bitmaps and pictures.
#include <allegro.h>

#include <algorithm>

#include "leitor_tela.h"

namespace leitura {

namespace {
constexpr std::size_t PONTOS_DA_AMOSTRA = 24;
}  // namespace

Quadro quadroDe(BITMAP* bmp) {
    std::vector<const Pixel*> linhas(bmp->h);
    for (int y = 0; y < bmp->h; y++) linhas[y] = reinterpret_cast<const Pixel*>(bmp->line[y]);
    return Quadro(bmp->w, std::move(linhas));
}

Figura carregarFigura(const char* caminho) {
    Figura f;
    BITMAP* b = load_bitmap(caminho, NULL);
    if (!b) return f;
    const int magenta = makecol(255, 0, 255);
    f.largura = b->w;
    f.altura = b->h;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            const int cor = getpixel(b, x, y);
            if (cor != magenta) f.pontos.push_back({x, y, static_cast<Pixel>(cor)});
        }
    destroy_bitmap(b);
    const std::size_t passo = std::max<std::size_t>(1, f.pontos.size() / PONTOS_DA_AMOSTRA);
    for (std::size_t k = 0; k < f.pontos.size(); k += passo) f.amostra.push_back(f.pontos[k]);
    return f;
}

}  // namespace leitura
