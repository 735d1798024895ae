// The wall rows of both stages: the game's level design.
//
// A row is as wide as the playfield (LARGURA_CAMPO, 359) and is drawn at its
// left edge (X_CAMPO, 141); the game's numbers are medidas.h's. Its
// pure-black pixels are the walls, magenta the gates between them; the only
// decoration is a thin rim of light drawn on magenta pixels next to the
// black, so every block's collision is whole and what looks solid is solid.
//
// Each row has two or three gates, every one at least 48 wide (a 32-wide
// character plus room to spare), so both players always have a way through.
// Every block is at least 28 wide (or none at all at an edge): a narrower
// one could pass between a character's two head columns and through it.
//
// The gates of consecutive rows are placed for the walking time a character
// has between them. A character standing in a gate is safe when its head
// columns x + 2 and x + 30 are both in it, so a gate over picture columns
// a..b shelters x from 139 + a to 111 + b; while a row passes its body
// (rows 397-440) it can only shuffle inside its gate; once the row has passed
// it walks VELOCIDADE_PERSONAGEM (3) px a frame until the next row reaches its
// head (row 395):
//   stage 1: rows 20 high falling VELOCIDADE_MUROS_FASE1 (1) px a frame
//     DISTANCIA_FASE1 (95) apart: 31 frames;
//   stage 2: rows 22 high falling VELOCIDADE_MUROS_FASE2 (2) px a frame at
//     least 114 apart (DISTANCIA_FASE2 is 115): 24 frames.
// Stage 1 asks for walks of at most 17 frames through wide gates (60-84);
// stage 2 for walks of up to 16 frames in almost every row through narrow
// ones (48-56), at twice the speed. The cycle closes: the last row leads
// back to the first, whose gates sit where the players start (x 144 and 464).
#include <allegro.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "imagens.h"
#include "medidas.h"
#include "pincel.h"

namespace {

constexpr int LARGURA = medidas::LARGURA_CAMPO;

struct Porta {
    int inicio;   // first picture column of the gate
    int largura;  // columns
};

struct Fileira {
    std::vector<Porta> portas;  // left to right
};

// Stage 1, at night: wide gates and walks of up to about 17 frames.
const Fileira FASE1[] = {
    {{{0, 84}, {275, 84}}},                // 1  waking up: where the players start,
    {{{60, 76}, {214, 76}}},               // 2  then a sway that grows
    {{{0, 72}, {150, 72}}},                // 3
    {{{80, 72}, {230, 72}}},               // 4
    {{{30, 60}, {150, 60}, {270, 60}}},    // 5  conveyor: three gates 120 apart
    {{{75, 60}, {195, 60}, {299, 60}}},    // 6  move 45 to the right a row; the
    {{{0, 60}, {120, 60}, {240, 60}}},     // 7  right one leaves at the edge and
    {{{45, 60}, {165, 60}, {270, 60}}},    // 8  a new one comes in on the left
    {{{90, 60}, {210, 60}, {299, 60}}},    // 9
    {{{110, 64}, {230, 64}}},              // 10 breathing: the gates close in
    {{{36, 64}, {295, 64}}},               // 11 and open out
    {{{110, 60}, {230, 60}}},              // 12
    {{{30, 60}, {270, 60}}},               // 13
    {{{84, 60}, {200, 60}}},               // 14
    {{{150, 68}, {262, 68}}},              // 15 zigzag
    {{{70, 68}, {210, 68}}},               // 16
    {{{150, 68}, {291, 68}}},              // 17
    {{{60, 72}, {200, 72}}},               // 18
    {{{0, 76}, {140, 76}}},                // 19 homecoming: wider gates
    {{{60, 80}, {220, 80}}},               // 20 that lead back to row 1
};

// Stage 2, at sunset: twice as fast, narrow gates, walks of up to 16 frames
// out of 24 and hardly a rest.
const Fileira FASE2[] = {
    {{{0, 56}, {303, 56}}},                // 1  where the players start
    {{{56, 56}, {248, 56}}},               // 2  scissors: the gates close in
    {{{120, 52}, {202, 52}}},              // 3
    {{{70, 52}, {262, 52}}},               // 4  and open out
    {{{0, 56}, {130, 52}, {307, 52}}},     // 5  three gates
    {{{70, 52}, {240, 52}}},               // 6
    {{{130, 52}, {307, 52}}},              // 7  pendulum
    {{{70, 56}, {240, 56}}},               // 8
    {{{30, 48}, {180, 48}}},               // 9  narrow gates, long walks
    {{{90, 48}, {240, 48}}},               // 10
    {{{30, 48}, {150, 48}, {279, 52}}},    // 11
    {{{90, 48}, {230, 48}}},               // 12
    {{{150, 52}, {279, 52}}},              // 13
    {{{90, 52}, {220, 52}}},               // 14
    {{{30, 56}, {270, 56}}},               // 15 a breather back towards row 1
};

// Column ranges, inclusive.
struct Intervalo {
    int de, ate;
};

// The blocks are whatever the gates leave.
std::vector<Intervalo> blocos(const Fileira& fileira) {
    std::vector<Intervalo> resultado;
    int coluna = 0;
    for (const Porta& p : fileira.portas) {
        if (p.inicio > coluna) resultado.push_back({coluna, p.inicio - 1});
        coluna = p.inicio + p.largura;
    }
    if (coluna < LARGURA) resultado.push_back({coluna, LARGURA - 1});
    return resultado;
}

// Stage 1 block: a castle wall with merlons, a merlon at each end.
void muralha(BITMAP* b, Intervalo bloco, int altura) {
    constexpr int TOPO_MERLAO = 1, TOPO_CORPO = 6, MERLAO = 8, PASSO = 14;
    int preto = pincel::preto();
    int largura = bloco.ate - bloco.de + 1;
    rectfill(b, bloco.de, TOPO_CORPO, bloco.ate, altura - 1, preto);
    if (largura <= PASSO) {
        rectfill(b, bloco.de, TOPO_MERLAO, bloco.ate, TOPO_CORPO, preto);
        return;
    }
    int merloes = (largura + PASSO / 2) / PASSO;
    if (merloes < 2) merloes = 2;
    for (int i = 0; i < merloes; i++) {
        int x = bloco.de + (largura - MERLAO) * i / (merloes - 1);
        rectfill(b, x, TOPO_MERLAO, x + MERLAO - 1, TOPO_CORPO, preto);
    }
}

// Stage 2 block: a palisade of sharpened stakes.
void palicada(BITMAP* b, Intervalo bloco, int altura) {
    constexpr int TOPO_PONTA = 1, ESTACA = 9, BASE_PONTA = 8;
    int preto = pincel::preto();
    int largura = bloco.ate - bloco.de + 1;
    int estacas = std::max(1, largura / ESTACA);
    for (int i = 0; i < estacas; i++) {
        int de = bloco.de + largura * i / estacas;
        int ate = bloco.de + largura * (i + 1) / estacas - 1;
        int meio2 = de + ate;  // twice the stake's middle column
        for (int x = de; x <= ate; x++) {
            int distancia2 = std::abs(2 * x - meio2);
            int topo = TOPO_PONTA + distancia2;  // 45-degree point
            vline(b, x, std::min(topo, BASE_PONTA), altura - 1, preto);
        }
    }
}

// Light on the magenta pixels that touch the black: `cima` above the
// silhouette, `lado` beside it. The black is never touched.
void contorno(BITMAP* b, int cima, int lado) {
    int preto = pincel::preto(), magenta = pincel::magenta();
    auto solido = [&](int x, int y) {
        return x >= 0 && x < b->w && y >= 0 && y < b->h && getpixel(b, x, y) == preto;
    };
    std::vector<std::pair<int, int>> emCima, aoLado;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            if (getpixel(b, x, y) != magenta) continue;
            if (solido(x, y + 1))
                emCima.push_back({x, y});
            else if (solido(x - 1, y) || solido(x + 1, y))
                aoLado.push_back({x, y});
        }
    for (auto [x, y] : aoLado) putpixel(b, x, y, lado);
    for (auto [x, y] : emCima) putpixel(b, x, y, cima);
}

// One picture per row design, saved under the game's path for it: a stage
// needs exactly as many designs as the game loads pictures (imagens.h).
template <std::size_t N>
void desenharFase(const Fileira (&fileiras)[N], const char* const (&caminhos)[N], int altura,
                  void (*bloco)(BITMAP*, Intervalo, int), int cima, int lado) {
    for (std::size_t k = 0; k < N; k++) {
        BITMAP* b = pincel::nova(LARGURA, altura, pincel::magenta());
        for (const Intervalo& i : blocos(fileiras[k])) bloco(b, i, altura);
        contorno(b, cima, lado);
        pincel::salvar(b, caminhos[k]);
    }
}

void gerarFileiras() {
    // Moonlight on the battlements; the sunset's glow on the stakes.
    desenharFase(FASE1, imagens::FILEIRAS_FASE1, 20, muralha, makecol(196, 214, 255), makecol(72, 84, 160));
    desenharFase(FASE2, imagens::FILEIRAS_FASE2, 22, palicada, makecol(255, 196, 96), makecol(200, 72, 40));
}

pincel::Registro registro("fileiras", gerarFileiras);

}  // namespace
