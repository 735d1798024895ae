// The arrow lanes at both sides of the stage backgrounds, with the targets
// where the arrows are answered, and the metal columns that frame the
// playfield between them. The lanes stay dark and calm so the bright arrows
// read well.
#include "cenario.h"

#include <string>
#include <vector>

#include "letras.h"
#include "setas.h"

namespace {

using pincel::BAYER;
using pincel::Cor;
using pincel::deCor;
using pincel::misturar;
using pincel::rgb;

// The lanes' target columns, left to right: left, down, up, right arrows;
// player 2's are player 1's moved right.
constexpr int COLUNAS_ALVO_J1[4] = {medidas::COLUNA_ESQUERDA, medidas::COLUNA_BAIXO,
                                    medidas::COLUNA_CIMA, medidas::COLUNA_DIREITA};
using medidas::DESLOCAMENTO_RAIA_P2;
constexpr int LINHA_ALVO = medidas::LINHA_ALVOS;
constexpr int LARGURA_ALVO = LARGURA_SETA;
constexpr int ALTURA_ALVO = ALTURA_SETA;

// The arrows' own colour per direction, echoed faintly by the targets' rims.
const Cor TOM_DA_DIRECAO[4] = {TOM_ESQUERDA, TOM_BAIXO, TOM_CIMA, TOM_DIREITA};

// An arrow outline pointing up inside a target's 30 x 32 box; the other three
// directions are this one turned or mirrored.
std::vector<int> setaParaCima() {
    return {15, 1, 28, 14, 20, 14, 20, 30, 10, 30, 10, 14, 2, 14};
}

std::vector<int> setaParaEsquerda() {
    return {1, 16, 14, 3, 14, 11, 28, 11, 28, 21, 14, 21, 14, 29};
}

std::vector<int> espelharVertical(std::vector<int> p) {
    for (std::size_t i = 1; i < p.size(); i += 2) p[i] = ALTURA_ALVO - 1 - p[i];
    return p;
}

std::vector<int> espelharHorizontal(std::vector<int> p) {
    for (std::size_t i = 0; i < p.size(); i += 2) p[i] = LARGURA_ALVO - 1 - p[i];
    return p;
}

// A target: the arrow's shape, dim inside, with a two-pixel rim (bright
// outside, softer inside), so the player sees where each arrow is answered.
void desenharAlvo(BITMAP* b, int x, int y, std::vector<int> forma, const PaletaFase& p, Cor tom) {
    Cor borda = misturar(p.alvoBorda, tom, 0.45);
    BITMAP* molde = pincel::nova(LARGURA_ALVO, ALTURA_ALVO, pincel::magenta());
    polygon(molde, int(forma.size()) / 2, forma.data(), rgb(p.alvoMiolo));
    auto dentro = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < LARGURA_ALVO && j < ALTURA_ALVO &&
               getpixel(molde, i, j) != pincel::magenta();
    };
    auto distanciaDaBorda = [&](int i, int j) {
        for (int d = 1; d <= 2; d++)
            if (!dentro(i - d, j) || !dentro(i + d, j) || !dentro(i, j - d) || !dentro(i, j + d)) return d;
        return 3;
    };
    for (int j = 0; j < ALTURA_ALVO; j++)
        for (int i = 0; i < LARGURA_ALVO; i++) {
            if (!dentro(i, j)) continue;
            int d = distanciaDaBorda(i, j);
            Cor c = d == 1 ? borda : (d == 2 ? misturar(borda, p.alvoMiolo, 0.6) : p.alvoMiolo);
            putpixel(b, x + i, y + j, rgb(c));
        }
    // A glint at the tip.
    putpixel(b, x + forma[0], y + forma[1], rgb(p.alvoBrilho));
    destroy_bitmap(molde);
}

void desenharRaia(BITMAP* b, int deslocamento, const PaletaFase& p, const std::string& nome, Cor corNome) {
    // Player 2's columns are player 1's moved right, but the lane itself
    // starts where the playfield ends.
    int x0 = deslocamento == 0 ? 0 : X_CAMPO + LARGURA_CAMPO, x1 = deslocamento == 0 ? X_CAMPO - 1 : LARGURA_TELA - 1;
    rectfill(b, x0, 0, x1, ALTURA_TELA - 1, rgb(p.raiaFundo));
    // One dim track per column, with a dotted guide down its middle.
    for (int c : COLUNAS_ALVO_J1) {
        int x = c + deslocamento;
        rectfill(b, x, 0, x + LARGURA_ALVO - 1, ALTURA_TELA - 1, rgb(p.raiaTrilha));
        for (int y = 48; y < ALTURA_TELA; y += 4) putpixel(b, x + LARGURA_ALVO / 2, y, rgb(p.raiaFaixa));
        vline(b, x - 1, 0, ALTURA_TELA - 1, rgb(p.raiaFundo));
    }
    // A faint glow under the hit band, fading down the lane.
    for (int y = LINHA_ALVO + ALTURA_ALVO + 4; y < 200; y++) {
        double t = 1.0 - double(y - LINHA_ALVO - ALTURA_ALVO - 4) / (200 - LINHA_ALVO - ALTURA_ALVO - 4);
        for (int x = x0; x <= x1; x++) {
            int banda = int(t * 4 + (BAYER[y & 3][x & 3] + 0.5) / 16.0);
            if (banda > 0) putpixel(b, x, y, rgb(misturar(deCor(getpixel(b, x, y)), p.raiaLinha, 0.05 * banda)));
        }
    }
    // The hit band behind the targets.
    rectfill(b, x0, LINHA_ALVO - 3, x1, LINHA_ALVO + ALTURA_ALVO + 2, rgb(p.raiaFaixa));
    hline(b, x0, LINHA_ALVO - 4, x1, rgb(p.raiaLinha));
    hline(b, x0, LINHA_ALVO + ALTURA_ALVO + 3, x1, rgb(p.raiaLinha));
    const std::vector<int> formas[4] = {setaParaEsquerda(), espelharVertical(setaParaCima()),
                                        setaParaCima(), espelharHorizontal(setaParaEsquerda())};
    for (int i = 0; i < 4; i++)
        desenharAlvo(b, COLUNAS_ALVO_J1[i] + deslocamento, LINHA_ALVO, formas[i], p, TOM_DA_DIRECAO[i]);
    // The owner's name, small and dim at the foot of the lane.
    pincel::textoCentrado(b, nome, x0 + 70, 428, rgb(corNome));
}

// The metal columns that frame the playfield between the lanes.
constexpr int LARGURA_COLUNA = 7;

void desenharColuna(BITMAP* b, int x, const PaletaFase& p) {
    for (int i = 0; i < LARGURA_COLUNA; i++) {
        Cor c = i == 0 || i == LARGURA_COLUNA - 1 ? p.colunaEscura : (i == 2 ? p.colunaClara : p.colunaMeio);
        vline(b, x + i, 0, ALTURA_TELA - 1, rgb(c));
    }
    // Rivets every 40 rows.
    for (int y = 20; y < ALTURA_TELA; y += 40) {
        putpixel(b, x + 3, y, rgb(p.colunaClara));
        putpixel(b, x + 3, y + 1, rgb(p.colunaEscura));
    }
}

}  // namespace

void desenharMolduras(BITMAP* b, const PaletaFase& p) {
    desenharRaia(b, 0, p, "ZORBO", p.nomeJ1);
    desenharRaia(b, DESLOCAMENTO_RAIA_P2, p, "VELNA", p.nomeJ2);
    desenharColuna(b, X_CAMPO - 1 - LARGURA_COLUNA, p);
    desenharColuna(b, X_CAMPO + LARGURA_CAMPO, p);
}
