#ifndef PINCEL_H
#define PINCEL_H

// Shared tools of the art generator: the output folder, the registry of
// picture groups, saving, colours and big text drawn with the built-in font.

#include <allegro.h>

#include <functional>
#include <string>
#include <vector>

namespace pincel {

// Magenta is transparent for draw_sprite; pure black is solid for the
// characters and belongs to the walls only.
int magenta();
int preto();

// A group of pictures (one folder's worth, or part of one).
struct Grupo {
    const char* nome;
    std::function<void()> gerar;
};
std::vector<Grupo>& grupos();

// Registers a group at start-up: static pincel::Registro r("setas", gerarSetas);
struct Registro {
    Registro(const char* nome, std::function<void()> gerar);
};

// The folder the pictures are written into (data/ or a test's temporary one).
void definirSaida(const std::string& pasta);

// Saves `imagem` as <saida>/<caminho> (e.g. "abertura/back.bmp"), creating the
// sub-folder, and destroys it. Aborts the generator if the file cannot be written.
void salvar(BITMAP* imagem, const std::string& caminho);

// A new bitmap of the given size filled with `cor`.
BITMAP* nova(int largura, int altura, int cor);

// Text in the built-in 8-pixel font, scaled up by `escala` (1 = plain) with its
// top-left corner at (x, y). Only the glyph pixels are written.
void texto(BITMAP* destino, const std::string& s, int x, int y, int cor, int escala = 1);
// The same, centred on column `centroX`.
void textoCentrado(BITMAP* destino, const std::string& s, int centroX, int y, int cor,
                   int escala = 1);
// Width in pixels of `s` at scale `escala`.
int larguraTexto(const std::string& s, int escala = 1);

}  // namespace pincel

#endif
