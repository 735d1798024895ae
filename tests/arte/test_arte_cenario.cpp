// The stage scenery against what the game does with it: the backgrounds and
// the ground must never be solid for the characters (pure black), the
// playfield must stay light enough for the black walls to show, the lanes
// dark enough for the arrows, and the moving layers must wrap seamlessly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "apoio.h"
#include "imagens.h"

namespace {

constexpr int CAMPO_X1 = 141, CAMPO_X2 = 499;  // playfield columns
constexpr int ALTURA_VISIVEL = 451;            // playfield rows on screen
constexpr int TOPO_DOS_PES = 441;
constexpr int COLUNAS_ALVO[8] = {9, 40, 71, 102, 508, 539, 570, 601};
constexpr int LINHA_ALVO = 9, ALVO_LARGURA = 30, ALVO_ALTURA = 32;

using apoio::Imagem;

int magenta() { return makecol(255, 0, 255); }
int preto() { return makecol(0, 0, 0); }

// Perceived brightness, 0-255.
int brilho(int cor) { return (299 * getr(cor) + 587 * getg(cor) + 114 * getb(cor)) / 1000; }

// The darkest visible pixel of a rectangle (magenta skipped), 255 if none.
int maisEscuro(BITMAP* b, int x1, int y1, int x2, int y2) {
    int menor = 255;
    for (int y = y1; y <= y2; y++)
        for (int x = x1; x <= x2; x++) {
            int c = getpixel(b, x, y);
            if (c != magenta()) menor = std::min(menor, brilho(c));
        }
    return menor;
}

// Walls are pure black: this much brightness keeps them standing out.
constexpr int BRILHO_MINIMO_DO_CAMPO = 40;

struct Raia {
    int x1, x2;
};
constexpr Raia RAIAS[2] = {{0, 140}, {500, 639}};

}  // namespace

TEST(ArteCenario, FundosCobremATelaSemPretoNemMagenta) {
    // The buffer is black under the background; a magenta hole would leave
    // that black showing, and black is solid for the characters.
    for (const char* caminho : {imagens::FASE1, imagens::FASE2}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        EXPECT_EQ(img->w, 640) << caminho;
        EXPECT_EQ(img->h, 480) << caminho;
        EXPECT_EQ(apoio::contarCor(img.get(), 0, 0, 640, 480, preto()), 0) << caminho;
        EXPECT_EQ(apoio::contarCor(img.get(), 0, 0, 640, 480, magenta()), 0) << caminho;
    }
}

TEST(ArteCenario, CampoDeJogoClaroOBastanteParaOsMuros) {
    for (const char* caminho : {imagens::FASE1, imagens::FASE2}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        EXPECT_GE(maisEscuro(img.get(), CAMPO_X1, 0, CAMPO_X2, TOPO_DOS_PES - 1), BRILHO_MINIMO_DO_CAMPO) << caminho;
    }
    for (const char* caminho : {imagens::FASE1_MOVEL, imagens::FASE2_MOVEL}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        EXPECT_GE(maisEscuro(img.get(), 0, 0, img->w - 1, img->h - 1), BRILHO_MINIMO_DO_CAMPO) << caminho;
    }
}

TEST(ArteCenario, RaiasEscurasComOsAlvosMarcados) {
    for (const char* caminho : {imagens::FASE1, imagens::FASE2}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        for (const Raia& r : RAIAS) {
            long soma = 0, claros = 0, total = 0;
            for (int y = 0; y < ALTURA_VISIVEL; y++)
                for (int x = r.x1; x <= r.x2; x++) {
                    int b = brilho(getpixel(img.get(), x, y));
                    soma += b;
                    claros += b > 160;
                    total++;
                }
            EXPECT_LE(soma / total, 60) << caminho << " lane at x " << r.x1 << " is too light for the arrows";
            EXPECT_LE(claros * 100, total * 2) << caminho << " lane at x " << r.x1 << " has too many bright spots";
        }
        // The targets exist only in the background: each must show its rim.
        for (int x : COLUNAS_ALVO) {
            int fundo = brilho(getpixel(img.get(), x + ALVO_LARGURA / 2, 200));
            int marcados = 0;
            for (int y = LINHA_ALVO; y < LINHA_ALVO + ALVO_ALTURA; y++)
                for (int i = x; i < x + ALVO_LARGURA; i++)
                    marcados += brilho(getpixel(img.get(), i, y)) >= fundo + 60;
            EXPECT_GE(marcados, 40) << caminho << " target at column " << x;
        }
    }
}

TEST(ArteCenario, CamadasMoveisCobremOCampoEDaoAVoltaSemEmenda) {
    for (const char* caminho : {imagens::FASE1_MOVEL, imagens::FASE2_MOVEL}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        ASSERT_EQ(img->w, 359) << caminho;
        ASSERT_EQ(img->h, 960) << caminho;
        EXPECT_EQ(apoio::contarCor(img.get(), 0, 0, 359, 960, preto()), 0) << caminho;
        // Some of it lets the background through, some of it is scenery.
        int transparentes = apoio::contarCor(img.get(), 0, 0, 359, 960, magenta());
        EXPECT_GT(transparentes, 359 * 960 / 4) << caminho;
        EXPECT_GT(359 * 960 - transparentes, 359 * 960 / 20) << caminho;

        // The scroll jumps from top -1 to top -480: both halves must match.
        int diferentes = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 359; x++) diferentes += getpixel(img.get(), x, y) != getpixel(img.get(), x, y + 480);
        EXPECT_EQ(diferentes, 0) << caminho;

        // And where the halves meet, row 479 runs on into row 480 no more
        // abruptly than any two neighbouring rows inside a half.
        auto passo = [&](int y) {
            int n = 0;
            for (int x = 0; x < 359; x++) n += getpixel(img.get(), x, y) != getpixel(img.get(), x, y + 1);
            return n;
        };
        int pior = 0;
        for (int y = 0; y < 478; y++) pior = std::max(pior, passo(y));
        EXPECT_LE(passo(479), pior) << caminho;
    }
}

TEST(ArteCenario, ChaoFechaOCampoAosPesDosPersonagens) {
    Imagem chao(imagens::CHAO);
    ASSERT_NE(chao.get(), nullptr);
    EXPECT_EQ(chao->w, 359);
    // Drawn with its bottom on the last playfield row: its top meets the feet.
    EXPECT_EQ(ALTURA_VISIVEL - chao->h, TOPO_DOS_PES);
    EXPECT_EQ(apoio::contarCor(chao.get(), 0, 0, chao->w, chao->h, preto()), 0);
    EXPECT_EQ(apoio::contarCor(chao.get(), 0, 0, chao->w, chao->h, magenta()), 0);
}
