// What the game needs from the cover strip's small pictures. The health bar
// is painted piece by piece (one column healed, five columns lost, all 100 at
// once) under a frame repainted every frame; the lives box shows up to three
// icons side by side on black.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <memory>

#include "apoio.h"
#include "arte_apoio.h"
#include "define.h"
#include "imagens.h"

namespace {

using arte::carregar;
using arte::Imagem;
using arte::magenta;


int contar(BITMAP* b, int cor) { return apoio::contarCor(b, 0, 0, b->w, b->h, cor); }

bool cantosMagenta(BITMAP* b) {
    return getpixel(b, 0, 0) == magenta() && getpixel(b, b->w - 1, 0) == magenta() &&
           getpixel(b, 0, b->h - 1) == magenta() && getpixel(b, b->w - 1, b->h - 1) == magenta();
}

double distancia(int a, int b) {
    return std::hypot(std::hypot(getr(a) - getr(b), getg(a) - getg(b)), getb(a) - getb(b));
}

bool colunaIgual(BITMAP* a, int xa, BITMAP* b, int xb) {
    for (int y = 0; y < a->h; y++)
        if (getpixel(a, xa, y) != getpixel(b, xb, y)) return false;
    return true;
}

const int STRIP_ALTURA = 29;

class ArteBarraDeVida : public ::testing::Test {
protected:
    Imagem um = carregar(imagens::UM_LIFE);
    Imagem cinco = carregar(imagens::CINCO_UNIDADES);
    Imagem cem = carregar(imagens::CEM_LIFE);
    Imagem moldura = carregar(imagens::BARRA_HP);
};

TEST_F(ArteBarraDeVida, PedacosComAsLargurasCombinadasEAMesmaAltura) {
    ASSERT_TRUE(um && cinco && cem);
    EXPECT_EQ(um->w, 1);
    EXPECT_EQ(cinco->w, 5);
    EXPECT_EQ(cem->w, 100);
    EXPECT_EQ(cinco->h, um->h);
    EXPECT_EQ(cem->h, um->h);
    EXPECT_LE(POSS1_Y + um->h, STRIP_ALTURA);
}

// A magenta pixel in a piece would be skipped when painted and leave the old
// state showing; pure black is kept out of every picture but the walls.
TEST_F(ArteBarraDeVida, PedacosOpacosSemPretoEDeColunasIguais) {
    ASSERT_TRUE(um && cinco && cem);
    for (BITMAP* b : {um.get(), cinco.get(), cem.get()}) {
        EXPECT_EQ(contar(b, magenta()), 0);
        EXPECT_EQ(contar(b, makecol(0, 0, 0)), 0);
    }
    // Healing one column must look like the full bar; five lost columns may
    // land anywhere, so they are all alike too.
    for (int x = 0; x < cem->w; x++) EXPECT_TRUE(colunaIgual(cem.get(), x, um.get(), 0)) << x;
    for (int x = 1; x < cinco->w; x++) EXPECT_TRUE(colunaIgual(cinco.get(), x, cinco.get(), 0)) << x;
}

TEST_F(ArteBarraDeVida, VazioSeDistingueDoCheioEmCadaLinha) {
    ASSERT_TRUE(cinco && cem);
    for (int y = 0; y < cem->h; y++)
        EXPECT_GE(distancia(getpixel(cinco.get(), 0, y), getpixel(cem.get(), 0, y)), 90.0)
            << "row " << y;
}

TEST_F(ArteBarraDeVida, MolduraCabeNaFaixaSemTocarAsVidas) {
    ASSERT_TRUE(moldura && um);
    EXPECT_LE(POSB1_Y + moldura->h, STRIP_ALTURA);
    EXPECT_LE(POSB1_X + moldura->w, VIDA1_X);
    EXPECT_LE(POSB2_X + moldura->w, MAX_X);
    EXPECT_EQ(contar(moldura.get(), makecol(0, 0, 0)), 0);
}

// The frame is painted over the fill every frame: where the fill lies it must
// be transparent, for both players' offsets.
TEST_F(ArteBarraDeVida, MolduraTransparenteSobreOPreenchimento) {
    ASSERT_TRUE(moldura && um);
    for (auto [preX, preY, barX, barY] : {std::array<int, 4>{POSS1_X, POSS1_Y, POSB1_X, POSB1_Y},
                                          std::array<int, 4>{POSS2_X, POSS2_Y, POSB2_X, POSB2_Y}}) {
        int x0 = preX + 1 - barX, y0 = preY - barY;
        ASSERT_GE(x0, 0);
        ASSERT_GE(y0, 0);
        ASSERT_LE(x0 + 100, moldura->w);
        ASSERT_LE(y0 + um->h, moldura->h);
        EXPECT_EQ(apoio::contarCor(moldura.get(), x0, y0, 100, um->h, magenta()), 100 * um->h);
    }
}

// The colour drawn most often, leaving out magenta and the dark outline.
int corPrincipal(BITMAP* b) {
    std::map<int, int> contagem;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            int c = getpixel(b, x, y);
            if (c != magenta() && getr(c) + getg(c) + getb(c) > 90) contagem[c]++;
        }
    int melhor = magenta(), vezes = 0;
    for (auto [cor, n] : contagem)
        if (n > vezes) melhor = cor, vezes = n;
    return melhor;
}

TEST(ArteVidas, TresIconesCabemNaCaixaEAparecemNoPreto) {
    for (const char* caminho : {imagens::RED_MUSH, imagens::GREEN_MUSH}) {
        Imagem b = carregar(caminho);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->w, 16) << caminho;
        EXPECT_EQ(b->h, 16) << caminho;
        EXPECT_LE(3 * b->w, 52) << caminho;
        EXPECT_TRUE(cantosMagenta(b.get())) << caminho;
        EXPECT_EQ(contar(b.get(), makecol(0, 0, 0)), 0) << caminho;
        // Drawn on the black box: most of the icon must be bright.
        int desenhados = b->w * b->h - contar(b.get(), magenta()), claros = 0;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++) {
                int c = getpixel(b.get(), x, y);
                claros += c != magenta() && getr(c) + getg(c) + getb(c) > 240;
            }
        EXPECT_GT(claros, desenhados * 6 / 10) << caminho;
    }
}

TEST(ArteVidas, VermelhoParaZorboVerdeParaVelna) {
    Imagem vermelho = carregar(imagens::RED_MUSH), verde = carregar(imagens::GREEN_MUSH);
    ASSERT_TRUE(vermelho && verde);
    int r = corPrincipal(vermelho.get()), g = corPrincipal(verde.get());
    EXPECT_GT(getr(r), getg(r) + 80);
    EXPECT_GT(getg(g), getr(g) + 80);
}

}  // namespace
