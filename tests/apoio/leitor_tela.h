#ifndef LEITOR_TELA_H
#define LEITOR_TELA_H

// Reading the game's screen from its pixels, the way a player sees it: the
// arrows in the lanes, the characters on the ground, the wall rows and their
// gaps, the lives boxes. A screen picture is 640 x 480 at 32 bits a pixel,
// the cover strip on rows 0-28 and the playfield below, as the main loop
// presents it; where things stand comes from the game's headers. Nothing
// here needs the game library, so the screenshot robot (an X client) reads
// its XImages with it too; leitor_tela_allegro.cpp adds the library's
// bitmaps and the pictures loaded by path.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "medidas.h"

struct BITMAP;

namespace leitura {

using Pixel = std::uint32_t;
constexpr Pixel PRETO = 0;  // the walls' black, makecol(0, 0, 0) at 32 bits

// A picture as rows of 32-bit pixels. It only looks at them: whoever made
// them keeps them.
class Quadro {
public:
    Quadro(int largura, std::vector<const Pixel*> linhas)
        : largura_(largura), linhas_(std::move(linhas)) {}
    int largura() const { return largura_; }
    int altura() const { return static_cast<int>(linhas_.size()); }
    const Pixel* linha(int y) const { return linhas_[y]; }
    Pixel pixel(int x, int y) const { return linhas_[y][x]; }
    // The rows of a screen picture below the cover strip, row 0 the
    // playfield's first.
    Quadro campo() const;

private:
    int largura_;
    std::vector<const Pixel*> linhas_;
};

// A 32-bit memory bitmap (leitor_tela_allegro.cpp).
Quadro quadroDe(BITMAP* bmp);

// ---------------------------------------------------------------------------
// Pictures known by sight.

struct Ponto {
    int dx, dy;
    Pixel cor;
};

struct Figura {
    int largura = 0, altura = 0;
    std::vector<Ponto> pontos;   // its opaque pixels, row by row from the top
    std::vector<Ponto> amostra;  // a few of them, spread out, for a first glance
};

// A picture of the game by its path; its magenta is see-through. An empty
// figure when it cannot be loaded, which is never seen (leitor_tela_allegro.cpp).
Figura carregarFigura(const char* caminho);

// What a character drawn later hides of the screen: its opaque pixels.
class Encoberto {
public:
    Encoberto(const Figura& f, int esquerda, int topo);
    bool cobre(int px, int py) const;

private:
    int x, y, largura, altura;
    std::vector<std::uint8_t> mascara;
};

// Share of the points that the picture shows with the figure's top-left
// corner at (x, y), among those not hidden by a character drawn later. Too
// little left in sight counts as not seen.
double semelhanca(const std::vector<Ponto>& pontos, const Quadro& tela, int x, int y,
                  const Encoberto* encoberto = nullptr);

// ---------------------------------------------------------------------------
// The characters: one of their six pictures standing on the ground line.

using Poses = std::array<Figura, 6>;

struct Achado {
    int x = -1;
    int figura = -1;
    double nota = 0;
};

// The leftmost and rightmost columns a character of `largura` can stand at:
// a step is taken only from inside the walking limits.
constexpr int MENOR_X = medidas::LIMITE_ESQUERDO + 1 - medidas::VELOCIDADE_PERSONAGEM;
constexpr int maiorX(int largura) {
    return medidas::LIMITE_DIREITO - largura + medidas::VELOCIDADE_PERSONAGEM;
}

// The best of the poses with their top row on screen row `y`, at the columns
// given.
Achado procurarEm(const Poses& pose, const Quadro& tela, int y, std::initializer_list<int> colunas,
                  const Encoberto* encoberto = nullptr);
// The best of the poses anywhere a character can stand, top row on `y`.
Achado procurarNoChao(const Poses& pose, const Quadro& tela, int y);

// ---------------------------------------------------------------------------
// Wall rows as seen: runs of playfield rows holding pure black in the
// playfield's columns, down to the feet.

constexpr int X_ESQUERDO = medidas::X_CAMPO;
constexpr int X_DIREITO = medidas::X_CAMPO + medidas::LARGURA_CAMPO - 1;
constexpr int ULTIMA_LINHA = medidas::LINHA_CHAO - 1;  // the feet's row

struct Fileira {
    int topo = 0, fundo = 0;     // first and last playfield rows with black
    bool cortadaEmCima = false;  // still sliding in from above the screen
    bool cortadaEmBaixo = false; // reaching past the feet
    // Per column, the rows its black covers (de -1: no black). Where the row is
    // cut these are stretched to what it may hide.
    std::array<std::int16_t, 640> de, ate;
    int deMin = 0, ateMax = 0;

    bool preta(int coluna) const { return de[coluna] >= 0; }
};

// The rows on the screen picture, top to bottom. `alturaPreta`: the most rows
// of black a wall row shows, so that one sliding in is known to reach that high.
std::vector<Fileira> verFileiras(const Quadro& tela, int alturaPreta);

// Columns in which any row, moved down by `desloc`, has black somewhere in
// the playfield rows linhaDe..linhaAte.
void colunasPretas(const std::vector<Fileira>& fileiras, int desloc, int linhaDe, int linhaAte,
                   std::array<std::uint8_t, 640>& saida);

// The gaps of a row, in columns of its picture (drawn at the field's left
// edge), as "a..b, c..d".
std::string portas(const Fileira& f);

// ---------------------------------------------------------------------------
// The arrow lanes: player 1's at the left edge, player 2's the same moved
// right; directions in the order up, down, left, right.

int colunaDaSeta(int jogador, int direcao);

// The top playfield row, from deY to ateY, at which `seta` is drawn in
// column `coluna` of the screen picture, or -1.
int linhaDaSeta(const Figura& seta, const Quadro& tela, int coluna, int deY, int ateY);

// The columns a lane's arrow is drawn in, from its lane column: the next
// lane column is this far to the right.
constexpr int LARGURA_COLUNA = medidas::COLUNA_BAIXO - medidas::COLUNA_ESQUERDA;

// Without knowing the arrows' pictures: the first playfield row, down to
// `linhas`, in which `largura` columns from `coluna` of the screen picture
// differ from the lane as it shows with no arrow in it (`fundo`, in playfield
// rows), or -1.
int topoDiferente(const Quadro& tela, const Quadro& fundo, int coluna, int largura, int linhas);
// The arrow whose top edge, so read, lies in rows de..ate of player
// `jogador`'s lane, with nothing above it: its direction (0-3) and that row.
struct SetaVista {
    int direcao = -1;  // -1: none
    int topo = -1;
};
SetaVista setaNoAlvo(const Quadro& tela, const Quadro& fundo, int jogador, int de, int ate);

// ---------------------------------------------------------------------------
// A lives box: black, one icon a life side by side from its left edge.

// The lives the box at (x, y) of `tela` shows, or -1 when it looks like no
// count of lives from 0 to the start's.
int vidasNaCaixa(const Quadro& tela, int x, int y, const Figura& icone);


// ---------------------------------------------------------------------------
// Numbers printed in the library's 8 x 8 font, one character a cell, as the
// score panel shows "Pontos: N".

using Celula = std::array<Pixel, 64>;

// The cell of 8 x 8 pixels with its top-left corner at (x, y).
Celula celulaEm(const Quadro& tela, int x, int y);

// The ten digits' cells, read from a picture with "0123456789" printed at
// (x, y) in the colours the number is printed in.
std::array<Celula, 10> algarismosDe(const Quadro& impressos, int x, int y);

// The number printed from (x, y) on, up to `celulas` cells, ending at the
// first cell all of colour `fundo` (or the last cell); -1 when there is no
// digit or a cell before the end is no digit.
long numeroEm(const Quadro& tela, int x, int y, int celulas, const std::array<Celula, 10>& algarismos,
              Pixel fundo = PRETO);

// ---------------------------------------------------------------------------
// The game's frames as a watcher sees them: successive pictures of the
// screen, each either the same as the last or a new frame. The game draws a
// new frame every tick while it runs, more slowly on a busy machine or under
// emulation; a picture counts as standing still only once no frame has come
// for several of the intervals the game keeps now, and never less than a
// floor, so that a slow frame is never taken for a pause.

class Ritmo {
public:
    static constexpr double PISO_S = 0.5;      // the least a still picture is watched
    static constexpr int QUADROS_PARADO = 5;   // frame intervals without a change
    static constexpr double MAIOR_LACUNA_S = 3;  // longer gaps: the game stood still between
    static constexpr std::size_t LACUNAS = 8;    // the recent gaps the interval is read from

    // `lembrado`: the interval measured by an earlier watch (0: none).
    explicit Ritmo(double lembrado = 0);
    // A picture seen at `t` seconds, new (it differs from the one before) or
    // not. The first picture starts the watch.
    void ver(double t, bool novo);
    // The game's frame interval now: the longest recent gap between two new
    // pictures (gaps longer than MAIOR_LACUNA_S are not frames), else the
    // remembered one; 0 when neither is known.
    double intervalo() const;
    // Whether this watch measured an interval of its own.
    bool mediu() const { return medidas_ > 0; }
    // How long a picture must stay the same to count as still.
    double espera() const;
    // The last picture seen has stayed the same for espera().
    bool parado() const;
    int novos() const { return novos_; }

private:
    double lembrado_;
    double gaps_[LACUNAS] = {};
    std::size_t medidas_ = 0;
    double primeiro_ = -1, ultimoNovo_ = -1, agora_ = -1;
    int novos_ = 0;
};

// Whether two pictures of one size are equal in the rectangle w x h at (x, y).
bool iguais(const Quadro& a, const Quadro& b, int x, int y, int w, int h);

}  // namespace leitura

#endif
