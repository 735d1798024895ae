// What the game needs from the arrows: they fit their 31-pixel lane columns,
// the stage-2 pictures (also the targets) are as deep as the hit window was
// planned, each direction keeps its colour in both stages, each arrow points
// its own way, and the two stages' sets can be told apart. The hit mark takes
// an arrow's place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "apoio.h"
#include "arte_apoio.h"
#include "imagens.h"

namespace {

using arte::carregar;
using arte::Imagem;
using arte::magenta;


// Arrow codes of each direction in imagens::SETAS: stage 1, stage 2.
struct Direcao {
    const char* nome;
    int fase1, fase2;
    int dx, dy;  // where the arrow points
};
const Direcao DIRECOES[] = {
    {"up", 0, 4, 0, -1}, {"down", 1, 5, 0, 1}, {"left", 2, 6, -1, 0}, {"right", 3, 7, 1, 0}};

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

double distancia(int a, int b) {
    return std::hypot(std::hypot(getr(a) - getr(b), getg(a) - getg(b)), getb(a) - getb(b));
}

TEST(ArteSetas, TamanhoCabeNaPistaEAlvosComAJanelaPlanejada) {
    for (const char* caminho : imagens::SETAS) {
        Imagem b = carregar(caminho);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->w, 30) << caminho << ": lanes are 31 pixels apart";
        EXPECT_EQ(b->h, 32) << caminho << ": stage 2's height is the hit window's depth";
    }
    Imagem marca = carregar(imagens::EXCLAMACAO);
    ASSERT_TRUE(marca);
    EXPECT_EQ(marca->w, 30);
    EXPECT_EQ(marca->h, 32);
}

TEST(ArteSetas, FundoMagentaESemPreto) {
    std::vector<const char*> todas(std::begin(imagens::SETAS), std::end(imagens::SETAS));
    todas.push_back(imagens::EXCLAMACAO);
    for (const char* caminho : todas) {
        Imagem b = carregar(caminho);
        ASSERT_TRUE(b);
        int w = b->w, h = b->h;
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(getpixel(b.get(), x, y), magenta()) << caminho;
        EXPECT_EQ(apoio::contarCor(b.get(), 0, 0, w, h, makecol(0, 0, 0)), 0) << caminho;
    }
}

TEST(ArteSetas, CadaDirecaoTemSuaCorNasDuasFases) {
    int cores[4];
    for (int i = 0; i < 4; i++) {
        Imagem f1 = carregar(imagens::SETAS[DIRECOES[i].fase1]);
        Imagem f2 = carregar(imagens::SETAS[DIRECOES[i].fase2]);
        ASSERT_TRUE(f1 && f2);
        cores[i] = corPrincipal(f1.get());
        EXPECT_EQ(corPrincipal(f2.get()), cores[i]) << DIRECOES[i].nome;
    }
    for (int i = 0; i < 4; i++)
        for (int j = i + 1; j < 4; j++)
            EXPECT_GE(distancia(cores[i], cores[j]), 120.0)
                << DIRECOES[i].nome << " and " << DIRECOES[j].nome << " look alike";
}

// The arrow's head is wider than its shaft: across the picture, the widest
// band of the main colour lies on the tip's side of the centre. Only the
// central disc counts, so a stage-2 ring around the arrow is left out.
TEST(ArteSetas, CadaSetaApontaParaSuaDirecao) {
    for (const Direcao& d : DIRECOES)
        for (int codigo : {d.fase1, d.fase2}) {
            Imagem b = carregar(imagens::SETAS[codigo]);
            ASSERT_TRUE(b);
            int principal = corPrincipal(b.get());
            double cx = (b->w - 1) / 2.0, cy = (b->h - 1) / 2.0;
            std::map<int, int> faixas;  // pixels per band, by signed distance along the arrow
            for (int y = 0; y < b->h; y++)
                for (int x = 0; x < b->w; x++)
                    if (std::hypot(x - cx, y - cy) <= 10 && getpixel(b.get(), x, y) == principal)
                        faixas[int(std::floor((x - cx) * d.dx + (y - cy) * d.dy))]++;
            int naPonta = 0, naCauda = 0;
            for (auto [faixa, n] : faixas) {
                int& maior = faixa < 0 ? naCauda : naPonta;
                maior = std::max(maior, n);
            }
            EXPECT_GE(naPonta * 2, naCauda * 3)
                << imagens::SETAS[codigo] << " does not point " << d.nome << ": widest band "
                << naPonta << " at the tip, " << naCauda << " at the tail";
        }
}

TEST(ArteSetas, ConjuntosDasDuasFasesSaoDistintos) {
    for (const Direcao& d : DIRECOES) {
        Imagem f1 = carregar(imagens::SETAS[d.fase1]), f2 = carregar(imagens::SETAS[d.fase2]);
        ASSERT_TRUE(f1 && f2);
        int diferentes = 0;
        for (int y = 0; y < f1->h; y++)
            for (int x = 0; x < f1->w; x++)
                diferentes += getpixel(f1.get(), x, y) != getpixel(f2.get(), x, y);
        EXPECT_GE(diferentes, f1->w * f1->h / 4) << d.nome;
    }
}

TEST(ArteSetas, MarcaDeAcertoEClara) {
    Imagem marca = carregar(imagens::EXCLAMACAO);
    ASSERT_TRUE(marca);
    int desenhados = 0, claros = 0;
    for (int y = 0; y < marca->h; y++)
        for (int x = 0; x < marca->w; x++) {
            int c = getpixel(marca.get(), x, y);
            if (c == magenta()) continue;
            desenhados++;
            claros += std::max({getr(c), getg(c), getb(c)}) >= 200;
        }
    EXPECT_GT(claros, desenhados / 2);
}

}  // namespace
