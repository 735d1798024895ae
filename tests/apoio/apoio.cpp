#include "apoio.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace apoio {

void soltarTodasTeclas() {
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
}

Bitmap::Bitmap(int largura, int altura, int cor) : bmp(create_bitmap(largura, altura)) {
    clear_to_color(bmp, cor);
}

Bitmap::~Bitmap() { destroy_bitmap(bmp); }

PastaTemporaria::PastaTemporaria() {
    anterior = fs::current_path().string();
    char modelo[] = "/tmp/ritmuro-teste-XXXXXX";
    if (!mkdtemp(modelo)) throw std::runtime_error("mkdtemp falhou");
    pasta = modelo;
    fs::current_path(pasta);
}

PastaTemporaria::~PastaTemporaria() {
    fs::current_path(anterior);
    std::error_code erro;
    fs::remove_all(pasta, erro);
}

void PastaTemporaria::gravarImagem(const std::string& relativo, int largura, int altura,
                                   int cor) {
    fs::path destino = fs::path(pasta) / relativo;
    fs::create_directories(destino.parent_path());
    BITMAP* b = create_bitmap(largura, altura);
    clear_to_color(b, cor);
    save_bmp(destino.string().c_str(), b, NULL);
    destroy_bitmap(b);
}

void PastaTemporaria::copiarDoJogo(const std::string& relativo) {
    fs::path destino = fs::path(pasta) / relativo;
    fs::create_directories(destino.parent_path());
    fs::copy_file(fs::path(pastaDados()) / relativo, destino,
                  fs::copy_options::overwrite_existing);
}

std::string pastaDados() { return RITMURO_DADOS; }

bool mesmosPixels(BITMAP* a, BITMAP* b) {
    if (a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

int contarCor(BITMAP* bmp, int x, int y, int w, int h, int cor) {
    int n = 0;
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            if (getpixel(bmp, i, j) == cor) n++;
    return n;
}

}  // namespace apoio
