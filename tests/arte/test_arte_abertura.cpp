// The title, instructions and end-screen pictures against the places the
// game draws them at and the texts it prints over them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "apoio.h"
#include "imagens.h"

namespace {

constexpr int CAIXA_X = 259, CAIXA_Y = 300, PASSO_ENTRADA = 45;
constexpr int CLAVE_X = 220;
constexpr int INSTRUCOES_X = 10, INSTRUCOES_Y = 200;

using apoio::Imagem;

int magenta() { return makecol(255, 0, 255); }

// Relative luminance (sRGB), and the contrast ratio of two colours as used
// for text legibility: 1 (none) to 21 (black on white).
double luminancia(int cor) {
    auto canal = [](int c) {
        double s = c / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(getr(cor)) + 0.7152 * canal(getg(cor)) + 0.0722 * canal(getb(cor));
}

double contraste(int a, int b) {
    double la = luminancia(a), lb = luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every pixel of the rectangle reads `texto` coloured text well (ratio 7 or
// more), and the rectangle is plain: its own colours differ too little to
// hold anything readable (ratio under 1.3 between its lightest and darkest).
void esperarFundoDeTexto(const Imagem& img, int x1, int y1, int x2, int y2, int texto) {
    double menor = 1.0, maior = 0.0, piorContraste = 21.0;
    for (int y = y1; y <= y2; y++)
        for (int x = x1; x <= x2; x++) {
            int c = getpixel(img.get(), x, y);
            menor = std::min(menor, luminancia(c));
            maior = std::max(maior, luminancia(c));
            piorContraste = std::min(piorContraste, contraste(c, texto));
        }
    EXPECT_GE(piorContraste, 7.0) << img.nome << " (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
    EXPECT_LT((maior + 0.05) / (menor + 0.05), 1.3)
        << img.nome << " is not plain in (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
}

// Mean luminance step between neighbouring pixels: how busy an area looks.
double agitacao(BITMAP* b, int x1, int y1, int x2, int y2) {
    double soma = 0;
    int n = 0;
    for (int y = y1; y < y2; y++)
        for (int x = x1; x < x2; x++) {
            double l = luminancia(getpixel(b, x, y));
            soma += std::fabs(l - luminancia(getpixel(b, x + 1, y))) + std::fabs(l - luminancia(getpixel(b, x, y + 1)));
            n += 2;
        }
    return soma / n;
}

bool linhasIguais(BITMAP* a, BITMAP* b, int y1, int y2) {
    for (int y = y1; y <= y2; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

}  // namespace

TEST(ArteAbertura, TelasCheiasCobremATelaSemFuros) {
    // draw_sprite skips magenta, which would leave holes in a full screen.
    for (const char* caminho : {imagens::BACK, imagens::BACK_HELP, imagens::GAME_OVER, imagens::FINISH_ZORBO,
                                imagens::FINISH_VELNA, imagens::FINISH_DRAW}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        EXPECT_EQ(img->w, 640) << caminho;
        EXPECT_EQ(img->h, 480) << caminho;
        EXPECT_EQ(apoio::contarCor(img.get(), 0, 0, img->w, img->h, magenta()), 0) << caminho;
    }
}

TEST(ArteAbertura, CaixaDoMenuCabeNaTela) {
    Imagem primeira(imagens::CAIXA[0]);
    ASSERT_NE(primeira.get(), nullptr);
    EXPECT_LE(primeira->h, 180);
    EXPECT_LE(CAIXA_Y + primeira->h, 480);
    EXPECT_LE(CAIXA_X + primeira->w, 640);
    // The last entry starts 135 rows down and needs room for its text.
    EXPECT_GE(primeira->h, 3 * PASSO_ENTRADA + 24);
    for (const char* caminho : imagens::CAIXA) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        EXPECT_EQ(img->w, primeira->w) << caminho;
        EXPECT_EQ(img->h, primeira->h) << caminho;
    }
}

TEST(ArteAbertura, CadaCaixaDestacaApenasASuaEntrada) {
    // Box i and box j may differ only on entries i and j, and must differ on both.
    for (int i = 0; i < 4; i++)
        for (int j = i + 1; j < 4; j++) {
            Imagem a(imagens::CAIXA[i]), b(imagens::CAIXA[j]);
            ASSERT_NE(a.get(), nullptr);
            ASSERT_NE(b.get(), nullptr);
            for (int e = 0; e < 4; e++) {
                int y1 = e * PASSO_ENTRADA, y2 = std::min(a->h - 1, y1 + PASSO_ENTRADA - 1);
                bool iguais = linhasIguais(a.get(), b.get(), y1, y2);
                if (e == i || e == j)
                    EXPECT_FALSE(iguais) << "entry " << e << " looks the same in caixa" << i << " and caixa" << j;
                else
                    EXPECT_TRUE(iguais) << "entry " << e << " changes between caixa" << i << " and caixa" << j;
            }
        }
}

TEST(ArteAbertura, CursorCabeAoLadoDaCaixaSobreFundoTransparente) {
    Imagem clave(imagens::CLAVE);
    ASSERT_NE(clave.get(), nullptr);
    EXPECT_LE(clave->w, 39);
    EXPECT_LE(CLAVE_X + clave->w, CAIXA_X);
    EXPECT_LE(CAIXA_Y + 3 * PASSO_ENTRADA + clave->h, 480);
    int w = clave->w, h = clave->h;
    for (int canto : {getpixel(clave.get(), 0, 0), getpixel(clave.get(), w - 1, 0), getpixel(clave.get(), 0, h - 1),
                      getpixel(clave.get(), w - 1, h - 1)})
        EXPECT_EQ(canto, magenta());
    int transparentes = apoio::contarCor(clave.get(), 0, 0, w, h, magenta());
    EXPECT_GT(transparentes, w * h / 3) << "the cursor should be a shape, not a card";
    EXPECT_GT(w * h - transparentes, w * h / 8) << "the cursor is almost empty";
}

TEST(ArteAbertura, InstrucoesCabemNaTela) {
    Imagem img(imagens::INSTRUCOES);
    ASSERT_NE(img.get(), nullptr);
    EXPECT_LE(img->w, 620);
    EXPECT_LE(img->h, 280);
    EXPECT_LE(INSTRUCOES_X + img->w, 640);
    EXPECT_LE(INSTRUCOES_Y + img->h, 480);
}

TEST(ArteAbertura, FundoDoTituloCalmoSobACaixaEOCursor) {
    Imagem back(imagens::BACK), caixa(imagens::CAIXA[0]);
    ASSERT_NE(back.get(), nullptr);
    ASSERT_NE(caixa.get(), nullptr);
    // Under the menu and the cursor only a gentle gradient: every 40 x 40
    // patch is calm, so no figure, word or pattern fights with the entries.
    int x2 = CAIXA_X + caixa->w - 1;
    for (int y = CAIXA_Y; y + 40 <= 465; y += 20)
        for (int x = CLAVE_X; x + 40 <= x2; x += 20)
            EXPECT_LT(agitacao(back.get(), x, y, x + 40, y + 40), 0.025) << "patch at (" << x << "," << y << ")";
    // The same measure does see a busy area: the figure at the lower left.
    EXPECT_GT(agitacao(back.get(), 30, 300, 178, 460), 0.05);
}

TEST(ArteAbertura, PlacarDoFimDeJogoLegivelEmBranco) {
    Imagem img(imagens::GAME_OVER);
    ASSERT_NE(img.get(), nullptr);
    int branco = makecol(255, 255, 255);
    // "Zorbo: %d" at (50, 50) and "Velna: %d" at (470, 50), 8 rows high.
    esperarFundoDeTexto(img, 45, 45, 230, 62, branco);
    esperarFundoDeTexto(img, 465, 45, 630, 62, branco);
}

TEST(ArteAbertura, PlacarDasTelasFinaisLegivelEmPreto) {
    int preto = makecol(0, 0, 0);
    for (const char* caminho : {imagens::FINISH_ZORBO, imagens::FINISH_VELNA, imagens::FINISH_DRAW}) {
        Imagem img(caminho);
        ASSERT_NE(img.get(), nullptr) << caminho;
        esperarFundoDeTexto(img, 45, 45, 230, 62, preto);
        esperarFundoDeTexto(img, 465, 45, 630, 62, preto);
    }
}

TEST(ArteAbertura, TelasFinaisDiferentesParaCadaResultado) {
    Imagem z(imagens::FINISH_ZORBO), v(imagens::FINISH_VELNA), e(imagens::FINISH_DRAW);
    ASSERT_NE(z.get(), nullptr);
    ASSERT_NE(v.get(), nullptr);
    ASSERT_NE(e.get(), nullptr);
    EXPECT_FALSE(apoio::mesmosPixels(z.get(), v.get()));
    EXPECT_FALSE(apoio::mesmosPixels(z.get(), e.get()));
    EXPECT_FALSE(apoio::mesmosPixels(v.get(), e.get()));
}
