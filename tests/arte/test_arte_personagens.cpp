// What the game needs from Zorbo's and Velna's pictures: one size for all six
// of a player (the collision columns follow the current picture), magenta
// around the figure, no pure black (it would be a wall for the other player),
// feet on the bottom row, and a walk cycle whose pictures really differ.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "apoio.h"
#include "imagens.h"

namespace {

using Imagem = std::unique_ptr<BITMAP, void (*)(BITMAP*)>;

Imagem carregar(const char* caminho) {
    return Imagem(load_bitmap(caminho, nullptr), destroy_bitmap);
}

// Indexes of imagens::PERSONAGENS[jogador].
enum { DIR, DIR1, DIR2, ESQ, ESQ1, ESQ2, TOTAL_FIGURAS };

int pixelsDiferentes(BITMAP* a, BITMAP* b) {
    int n = 0;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) n += getpixel(a, x, y) != getpixel(b, x, y);
    return n;
}

bool magenta(BITMAP* b, int x, int y) { return getpixel(b, x, y) == makecol(255, 0, 255); }

int luminancia(int cor) { return (getr(cor) * 3 + getg(cor) * 6 + getb(cor)) / 10; }

class ArtePersonagens : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        for (int i = 0; i < TOTAL_FIGURAS; i++) {
            figuras.push_back(carregar(imagens::PERSONAGENS[GetParam()][i]));
            ASSERT_NE(figuras.back(), nullptr) << imagens::PERSONAGENS[GetParam()][i];
        }
    }
    BITMAP* figura(int i) const { return figuras[i].get(); }
    const char* nome(int i) const { return imagens::PERSONAGENS[GetParam()][i]; }

    std::vector<Imagem> figuras;
};

TEST_P(ArtePersonagens, SeisFigurasDoMesmoTamanhoCombinado) {
    for (int i = 0; i < TOTAL_FIGURAS; i++) {
        EXPECT_EQ(figura(i)->w, 32) << nome(i);
        EXPECT_EQ(figura(i)->h, 44) << nome(i);
    }
}

TEST_P(ArtePersonagens, FundoMagentaSemPretoEPesNoChao) {
    for (int i = 0; i < TOTAL_FIGURAS; i++) {
        BITMAP* b = figura(i);
        int w = b->w, h = b->h;
        EXPECT_TRUE(magenta(b, 0, 0) && magenta(b, w - 1, 0) && magenta(b, 0, h - 1) &&
                    magenta(b, w - 1, h - 1))
            << nome(i);
        EXPECT_EQ(apoio::contarCor(b, 0, 0, w, h, makecol(0, 0, 0)), 0) << nome(i);
        int desenhados = w * h - apoio::contarCor(b, 0, 0, w, h, makecol(255, 0, 255));
        EXPECT_GT(desenhados, w * h / 4) << nome(i) << ": the figure is too small to read";
        EXPECT_LT(apoio::contarCor(b, 0, h - 1, w, 1, makecol(255, 0, 255)), w)
            << nome(i) << ": the feet must rest on the bottom row";
    }
}

// Every pixel on the edge of the silhouette is dark, so the figure reads
// against the night sky and the sunset alike.
TEST_P(ArtePersonagens, SilhuetaComContornoEscuro) {
    for (int i = 0; i < TOTAL_FIGURAS; i++) {
        BITMAP* b = figura(i);
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++) {
                if (magenta(b, x, y)) continue;
                bool naBorda = x == 0 || y == 0 || x == b->w - 1 || y == b->h - 1 ||
                               magenta(b, x - 1, y) || magenta(b, x + 1, y) ||
                               magenta(b, x, y - 1) || magenta(b, x, y + 1);
                if (naBorda) {
                    ASSERT_LT(luminancia(getpixel(b, x, y)), 48)
                        << nome(i) << " at (" << x << ", " << y << ")";
                }
            }
    }
}

TEST_P(ArtePersonagens, PassosDiferemDaFiguraParadaEEntreSi) {
    const int MINIMO = 20;  // pixels: legs and arms really move
    for (int lado : {DIR, ESQ}) {
        EXPECT_GE(pixelsDiferentes(figura(lado + 1), figura(lado + 2)), MINIMO) << nome(lado + 1);
        EXPECT_GE(pixelsDiferentes(figura(lado + 1), figura(lado)), MINIMO) << nome(lado + 1);
        EXPECT_GE(pixelsDiferentes(figura(lado + 2), figura(lado)), MINIMO) << nome(lado + 2);
    }
    EXPECT_GE(pixelsDiferentes(figura(DIR), figura(ESQ)), MINIMO) << "facing must show";
}

INSTANTIATE_TEST_SUITE_P(ZorboEVelna, ArtePersonagens, ::testing::Values(0, 1));

TEST(ArtePersonagens, ZorboEVelnaNaoSeConfundem) {
    Imagem zorbo = carregar(imagens::PERSONAGENS[0][DIR]);
    Imagem velna = carregar(imagens::PERSONAGENS[1][DIR]);
    ASSERT_TRUE(zorbo && velna);
    EXPECT_GE(pixelsDiferentes(zorbo.get(), velna.get()), 32 * 44 / 4);
}

}  // namespace
