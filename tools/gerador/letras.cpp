#include "letras.h"

#include <algorithm>

#include "formas.h"

namespace pincel {

int larguraTexto(const std::string& s, int escala) {
    return text_length(font, s.c_str()) * escala;
}

void texto(BITMAP* destino, const std::string& s, int x, int y, int cor, int escala) {
    if (escala <= 1) {
        textout_ex(destino, font, s.c_str(), x, y, cor, -1);
        return;
    }
    // Draw at 1:1 on a magenta card, scale it up, then copy the glyphs only.
    int w = text_length(font, s.c_str()), h = text_height(font);
    BITMAP* pequeno = nova(w, h, magenta());
    textout_ex(pequeno, font, s.c_str(), 0, 0, cor, -1);
    BITMAP* grande = nova(w * escala, h * escala, magenta());
    stretch_blit(pequeno, grande, 0, 0, w, h, 0, 0, w * escala, h * escala);
    draw_sprite(destino, grande, x, y);
    destroy_bitmap(grande);
    destroy_bitmap(pequeno);
}

void textoCentrado(BITMAP* destino, const std::string& s, int centroX, int y, int cor,
                   int escala) {
    texto(destino, s, centroX - larguraTexto(s, escala) / 2, y, cor, escala);
}

void textoComSombra(BITMAP* b, const std::string& s, int x, int y, Cor cor, Cor sombra, int escala) {
    texto(b, s, x + escala, y + escala, rgb(sombra), escala);
    texto(b, s, x, y, rgb(cor), escala);
}

void textoCentradoComSombra(BITMAP* b, const std::string& s, int cx, int y, Cor cor, Cor sombra,
                            int escala) {
    textoComSombra(b, s, cx - larguraTexto(s, escala) / 2, y, cor, sombra, escala);
}

void letreiro(BITMAP* b, const std::string& s, int cx, int y, int escala, const Letreiro& e) {
    int w = text_length(font, s.c_str()), h = text_height(font);
    BITMAP* molde = nova(w, h, magenta());
    textout_ex(molde, font, s.c_str(), 0, 0, makecol(255, 255, 255), -1);
    auto cheio = [&](int gx, int gy) { return gx >= 0 && gy >= 0 && gx < w && gy < h && !ehMagenta(molde, gx, gy); };
    int x0 = cx - w * escala / 2;
    auto bloco = [&](int gx, int gy, int d, int folga, int cor) {
        rectfill(b, x0 + gx * escala - folga + d, y + gy * escala - folga + d,
                 x0 + gx * escala + escala - 1 + folga + d, y + gy * escala + escala - 1 + folga + d, cor);
    };
    for (int gy = 0; gy < h; gy++)
        for (int gx = 0; gx < w; gx++) {
            if (!cheio(gx, gy)) continue;
            for (int d = 0; d <= e.profundidade; d++) bloco(gx, gy, d, e.borda, rgb(CONTORNO));
        }
    for (int gy = 0; gy < h; gy++)
        for (int gx = 0; gx < w; gx++)
            if (cheio(gx, gy))
                for (int d = 1; d <= e.profundidade; d++) bloco(gx, gy, d, 0, rgb(e.sombra));
    int bisel = std::max(1, escala / 4);
    for (int gy = 0; gy < h; gy++)
        for (int gx = 0; gx < w; gx++) {
            if (!cheio(gx, gy)) continue;
            for (int r = 0; r < escala; r++) {
                // Two bands per glyph row, so the gradient steps in even stripes.
                double t = (gy * 2 + (r >= escala / 2)) / 13.0;
                Cor c = misturar(e.topo, e.base, std::min(1.0, t));
                if (!cheio(gx, gy - 1) && r < bisel) c = clarear(c, 0.55);
                if (!cheio(gx, gy + 1) && r >= escala - bisel) c = escurecer(c, 0.25);
                int xa = x0 + gx * escala, xb = xa + escala - 1;
                hline(b, xa, y + gy * escala + r, xb, rgb(c));
                if (!cheio(gx - 1, gy)) vline(b, xa, y + gy * escala + r, y + gy * escala + r, rgb(clarear(c, 0.35)));
            }
        }
    destroy_bitmap(molde);
}

}  // namespace pincel
