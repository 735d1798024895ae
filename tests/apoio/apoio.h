#ifndef APOIO_H
#define APOIO_H

// Helpers shared by the unit tests.

#include <allegro.h>

#include <string>

namespace apoio {

// Releases every key of the key[] array.
void soltarTodasTeclas();

// Owns a memory bitmap for the length of a test.
class Bitmap {
public:
    Bitmap(int largura, int altura, int cor = 0);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    BITMAP* get() const { return bmp; }
    BITMAP& operator*() const { return *bmp; }
    BITMAP* operator->() const { return bmp; }

private:
    BITMAP* bmp;
};

// A picture loaded by its path (as the game loads it), released at the end;
// get() is NULL when it could not be loaded.
class Imagem {
public:
    explicit Imagem(const char* caminho) : nome(caminho), bmp(load_bitmap(caminho, NULL)) {}
    ~Imagem() {
        if (bmp) destroy_bitmap(bmp);
    }
    Imagem(const Imagem&) = delete;
    Imagem& operator=(const Imagem&) = delete;
    BITMAP* get() const { return bmp; }
    BITMAP* operator->() const { return bmp; }
    const std::string nome;

private:
    BITMAP* bmp;
};

// A temporary working directory for the length of a test: created empty,
// made the current directory, and removed (with its contents) afterwards,
// the old working directory restored.
class PastaTemporaria {
public:
    PastaTemporaria();
    ~PastaTemporaria();
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;
    const std::string& caminho() const { return pasta; }

    // Writes a BMP of the given size filled with `cor` at `relativo`
    // (e.g. "./sangue/umLife.bmp"), creating its folder.
    void gravarImagem(const std::string& relativo, int largura, int altura, int cor);
    // Copies the real picture from data/ into this folder, same relative path.
    void copiarDoJogo(const std::string& relativo);

private:
    std::string pasta;
    std::string anterior;
};

// The folder of the game's real pictures (data/ of the source tree).
std::string pastaDados();

// True when the two bitmaps have the same size and the same pixels.
bool mesmosPixels(BITMAP* a, BITMAP* b);

// Counts the pixels of `cor` inside the rectangle (x, y, w, h) of `bmp`.
int contarCor(BITMAP* bmp, int x, int y, int w, int h, int cor);

}  // namespace apoio

#endif
