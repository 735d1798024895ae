// A single arrow: placing, masked drawing, rising and the top-edge test.
#include <gtest/gtest.h>

#include "Seta.h"
#include "apoio.h"

namespace {

int fundo() { return makecol(64, 80, 96); }  // background of the frames drawn on
int vermelho() { return makecol(230, 30, 30); }
int magenta() { return makecol(255, 0, 255); }

// An arrow picture whose left half is the mask colour, to tell draw_sprite from blit.
BITMAP* pintarMeioTransparente(BITMAP* b) {
    clear_to_color(b, vermelho());
    rectfill(b, 0, 0, b->w / 2 - 1, b->h - 1, magenta());
    return b;
}

TEST(Seta, SobeNaVelocidadeEReconheceOTopo) {
    apoio::Bitmap figura(30, 32);
    Seta alvo(*figura, 71, 9, 0, 'u');
    alvo.subir();
    EXPECT_EQ(alvo.getY(), 9);
    EXPECT_FALSE(alvo.noLimite());

    Seta seta(*figura, 40, 1, 2, 'd');
    EXPECT_FALSE(seta.noLimite());
    seta.subir();
    EXPECT_EQ(seta.getY(), -1);
    EXPECT_TRUE(seta.noLimite());

    seta.setY(0);
    EXPECT_TRUE(seta.noLimite());
    seta.setVelocidade(5);
    seta.setY(12);
    seta.subir();
    EXPECT_EQ(seta.getY(), 7);
    EXPECT_EQ(seta.getX(), 40);
    EXPECT_EQ(seta.getDirecao(), 'd');
}

TEST(Seta, DesenhaComMascaraNaSuaPosicao) {
    apoio::Bitmap figura(30, 32);
    pintarMeioTransparente(figura.get());
    apoio::Bitmap quadro(640, 480, fundo());
    Seta seta(*figura, 0, 0, 2, 'l');
    seta.setX(100);
    seta.setY(200);
    seta.desenharNaTela(*quadro);

    EXPECT_EQ(apoio::contarCor(quadro.get(), 115, 200, 15, 32, vermelho()), 15 * 32);
    EXPECT_EQ(apoio::contarCor(quadro.get(), 100, 200, 15, 32, fundo()), 15 * 32);
    EXPECT_EQ(apoio::contarCor(quadro.get(), 0, 0, 640, 480, vermelho()), 15 * 32);
}

TEST(Seta, NaLinhaDeEsperaAbaixoDoQuadroNadaAparece) {
    apoio::Bitmap figura(30, 32, vermelho());
    apoio::Bitmap quadro(640, 480, fundo());
    apoio::Bitmap intacto(640, 480, fundo());
    Seta seta(*figura, 71, 480, 2, 'u');
    seta.desenharNaTela(*quadro);
    EXPECT_TRUE(apoio::mesmosPixels(quadro.get(), intacto.get()));

    // One row higher, its top row shows on the last row of the frame.
    seta.setY(479);
    seta.desenharNaTela(*quadro);
    EXPECT_EQ(apoio::contarCor(quadro.get(), 0, 0, 640, 480, vermelho()), 30);
    EXPECT_EQ(apoio::contarCor(quadro.get(), 71, 479, 30, 1, vermelho()), 30);
}

TEST(Seta, FiguraCompartilhadaTrocadaEmUmaSoSeta) {
    apoio::Bitmap comum(30, 32, vermelho());
    apoio::Bitmap nova(20, 24, makecol(30, 230, 30));
    Seta primeira(*comum, 0, 0, 2, 'u');
    Seta segunda(*comum, 100, 0, 2, 'u');
    primeira.setBitmap(*nova);

    EXPECT_EQ(primeira.getLargura(), 20);
    EXPECT_EQ(primeira.getAltura(), 24);
    EXPECT_EQ(segunda.getLargura(), 30);
    EXPECT_EQ(segunda.getAltura(), 32);

    apoio::Bitmap quadro(640, 480, fundo());
    primeira.desenharNaTela(*quadro);
    segunda.desenharNaTela(*quadro);
    EXPECT_EQ(apoio::contarCor(quadro.get(), 0, 0, 20, 24, makecol(30, 230, 30)), 20 * 24);
    EXPECT_EQ(apoio::contarCor(quadro.get(), 100, 0, 30, 32, vermelho()), 30 * 32);
    // Arrows never release their pictures: `comum` and `nova` are destroyed
    // once, by their owners here (the sanitizer run catches a second release).
}

// The diagnostic square: 5 x 5 pure red at (100, 100) while the top edge is
// within rows 38 to 68, nothing else touched.
TEST(Seta, QuadradoDeDiagnosticoSoEntreAsLinhas38E68) {
    apoio::Bitmap figura(30, 32, vermelho());
    const int vermelhoPuro = makecol32(255, 0, 0);
    const struct {
        int y;
        bool desenha;
    } casos[] = {{37, false}, {38, true}, {50, true}, {68, true}, {69, false}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.y);
        apoio::Bitmap quadro(640, 480, fundo());
        Seta seta(*figura, 9, caso.y, 2, 'l');
        seta.verificarColisao(*quadro);
        const int esperado = caso.desenha ? 25 : 0;
        EXPECT_EQ(apoio::contarCor(quadro.get(), 100, 100, 5, 5, vermelhoPuro), esperado);
        EXPECT_EQ(apoio::contarCor(quadro.get(), 0, 0, 640, 480, fundo()), 640 * 480 - esperado);
    }
}

}  // namespace
