#ifndef FIXTURE_JOGADOR_H
#define FIXTURE_JOGADOR_H

// Fixture pictures and pixel helpers shared by the score, character and player
// tests. Every fixture picture is a solid block of one colour, so the colour
// found in the buffer tells which picture was drawn and where.

#include <allegro.h>

#include <memory>
#include <string>

#include "apoio.h"

namespace fixture {

// The six walking pictures of a player, in the order the files are named.
enum Figura { DIR, DIR1, DIR2, ESQ, ESQ1, ESQ2, NENHUMA = -1 };

inline const char* const NOMES_FIGURAS[6] = {"dir", "dir1", "dir2", "esq", "esq1", "esq2"};

inline std::string caminhoFigura(int jogador, int figura) {
    return std::string("./personagens/P") + (jogador == 1 ? "1" : "2") + " - " +
           NOMES_FIGURAS[figura] + ".bmp";
}

// One colour per picture and player; none is black, magenta or the background.
inline int corFigura(int jogador, int figura) {
    const int j = jogador == 1 ? 0 : 1;
    return makecol(40 + 30 * figura, 120 + 90 * j, 230 - 25 * figura);
}

inline int corFundo() { return makecol(90, 60, 30); }
inline int preto() { return makecol(0, 0, 0); }
inline int corMoldura() { return makecol(200, 40, 40); }
inline int corCheio() { return makecol(40, 200, 40); }
inline int corVazio() { return makecol(70, 70, 70); }
inline int corIcone(int jogador) {
    return jogador == 1 ? makecol(230, 30, 90) : makecol(30, 230, 90);
}
inline int corMarca() { return makecol(10, 20, 250); }

// Writes a picture of one colour whose top `linhasPretas` rows are pure black.
inline void gravarFigura(apoio::PastaTemporaria& pasta, const std::string& caminho, int largura,
                         int altura, int cor, int linhasPretas) {
    pasta.gravarImagem(caminho, largura, altura, cor);
    if (linhasPretas <= 0) return;
    const std::string completo = pasta.caminho() + "/" + caminho;
    BITMAP* b = load_bitmap(completo.c_str(), NULL);
    rectfill(b, 0, 0, largura - 1, linhasPretas - 1, preto());
    save_bmp(completo.c_str(), b, NULL);
    destroy_bitmap(b);
}

// All six pictures of a player at one size, each in its own colour.
inline void gravarPersonagem(apoio::PastaTemporaria& pasta, int jogador, int largura,
                             int altura, int linhasPretas = 0) {
    for (int f = DIR; f <= ESQ2; f++)
        gravarFigura(pasta, caminhoFigura(jogador, f), largura, altura, corFigura(jogador, f),
                     linhasPretas);
}

// The health-bar pieces: a frame `larguraMoldura` x 20 and a 6-row fill.
inline void gravarSangue(apoio::PastaTemporaria& pasta, int larguraMoldura = 12) {
    pasta.gravarImagem("./sangue/umLife.bmp", 1, 6, corCheio());
    pasta.gravarImagem("./sangue/cincoUnidades.bmp", 5, 6, corVazio());
    pasta.gravarImagem("./sangue/cemLife.bmp", 100, 6, corCheio());
    pasta.gravarImagem("./sangue/barraHPm.bmp", larguraMoldura, 20, corMoldura());
}

const int LADO_ICONE = 16;

inline void gravarIcones(apoio::PastaTemporaria& pasta) {
    pasta.gravarImagem("./vidas/redmush.bmp", LADO_ICONE, LADO_ICONE, corIcone(1));
    pasta.gravarImagem("./vidas/greenmush.bmp", LADO_ICONE, LADO_ICONE, corIcone(2));
}

// Where a player's character shows in the buffer this frame.
struct Visto {
    int figura = NENHUMA;
    int x = -1;  // leftmost column of the picture's colour
    int y = -1;  // top row of the picture's colour
};

// Looks for the colours of the player's six pictures on the ground rows.
inline Visto procurar(BITMAP* buffer, int jogador) {
    Visto v;
    int cores[6];
    for (int f = DIR; f <= ESQ2; f++) cores[f] = corFigura(jogador, f);
    for (int y = 300; y < 450; y++)
        for (int x = 0; x < buffer->w; x++) {
            const int c = _getpixel32(buffer, x, y);
            for (int f = DIR; f <= ESQ2; f++)
                if (c == cores[f]) {
                    if (v.figura == NENHUMA) {
                        v.figura = f;
                        v.y = y;
                    }
                    if (v.x < 0 || x < v.x) v.x = x;
                }
        }
    return v;
}

// The score panel as it should look: a black 158 x 24 box with the three lines
// in white, each number written only when given (nullptr leaves it out).
inline std::unique_ptr<apoio::Bitmap> painelEsperado(int pontos, const char* combo,
                                                     const char* mult) {
    auto painel = std::make_unique<apoio::Bitmap>(158, 24, 0);
    const int branco = makecol(255, 255, 255);
    textprintf_ex(painel->get(), font, 0, 0, branco, -1, "Pontos: %d", pontos);
    textprintf_ex(painel->get(), font, 0, 8, branco, -1, "Combo: ");
    textprintf_ex(painel->get(), font, 0, 16, branco, -1, "Mult: ");
    if (combo) textprintf_ex(painel->get(), font, 50, 8, branco, -1, "%s", combo);
    if (mult) textprintf_ex(painel->get(), font, 50, 16, branco, -1, "%s", mult);
    return painel;
}

// True when `alvo`, with `ref` laid at (x, y), matches its columns [de, ate);
// by default all of `ref`.
inline bool regiaoIgual(BITMAP* alvo, int x, int y, BITMAP* ref, int de = 0, int ate = -1) {
    if (ate < 0) ate = ref->w;
    for (int j = 0; j < ref->h; j++)
        for (int i = de; i < ate; i++)
            if (getpixel(alvo, x + i, y + j) != getpixel(ref, i, j)) return false;
    return true;
}

}  // namespace fixture

#endif
