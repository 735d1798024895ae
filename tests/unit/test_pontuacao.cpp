// The score: points through the streak multiplier, and the panel drawn on the
// cover strip, compared pixel by pixel with the texts written at their places.
#include <gtest/gtest.h>

#include "Pontuacao.h"
#include "apoio.h"
#include "fixture_jogador.h"

namespace {

const int PAINEL_X = 198;
const int PAINEL_Y = 2;

class Placar : public ::testing::Test {
protected:
    apoio::Bitmap faixa{640, 29, fixture::corMarca()};
    Pontuacao placar{*faixa, PAINEL_X, PAINEL_Y};

    // One hit as the player scores it: the streak's step first, then 100 points.
    int acertar() {
        const int antes = placar.getPontos();
        placar.incrementarCombo();
        placar.adicionarPontos(100);
        return placar.getPontos() - antes;
    }

    void acertarVezes(int n) {
        for (int i = 0; i < n; i++) acertar();
    }

    bool painelMostra(int pontos, const char* combo, const char* mult) {
        placar.desenhar(*faixa);
        return fixture::regiaoIgual(faixa.get(), PAINEL_X, PAINEL_Y,
                                    fixture::painelEsperado(pontos, combo, mult)->get());
    }
};

TEST_F(Placar, NovoMostraSoOsRotulos) {
    EXPECT_EQ(placar.getPontos(), 0);
    EXPECT_TRUE(painelMostra(0, nullptr, nullptr));
}

TEST_F(Placar, UmAcertoMostraComboSemMultiplicador) {
    EXPECT_EQ(acertar(), 100);
    EXPECT_TRUE(painelMostra(100, "1", nullptr));
}

TEST_F(Placar, QuinzeAcertosMostramMultiplicadorDois) {
    acertarVezes(15);
    EXPECT_EQ(placar.getPontos(), 1600);
    EXPECT_TRUE(painelMostra(1600, "15", "2"));
}

TEST_F(Placar, PainelEOpacoSoNaSuaCaixa) {
    placar.desenhar(*faixa);
    // Every pixel of the box is black or white text; nothing of the strip shows.
    const int branco = makecol(255, 255, 255);
    EXPECT_EQ(apoio::contarCor(faixa.get(), PAINEL_X, PAINEL_Y, 158, 24, 0) +
                  apoio::contarCor(faixa.get(), PAINEL_X, PAINEL_Y, 158, 24, branco),
              158 * 24);
    // Around the box the strip is untouched.
    const int marca = fixture::corMarca();
    EXPECT_EQ(apoio::contarCor(faixa.get(), PAINEL_X - 1, 0, 1, 29, marca), 29);
    EXPECT_EQ(apoio::contarCor(faixa.get(), PAINEL_X + 158, 0, 1, 29, marca), 29);
    EXPECT_EQ(apoio::contarCor(faixa.get(), PAINEL_X, PAINEL_Y - 1, 158, 1, marca), 158);
    EXPECT_EQ(apoio::contarCor(faixa.get(), PAINEL_X, PAINEL_Y + 24, 158, 1, marca), 158);
}

TEST_F(Placar, DesenhaNoBitmapRecebidoENaoNoDaConstrucao) {
    apoio::Bitmap outro(640, 29, fixture::corMarca());
    placar.desenhar(*outro);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 0, 0, 640, 29, fixture::corMarca()), 640 * 29);
    EXPECT_TRUE(fixture::regiaoIgual(outro.get(), PAINEL_X, PAINEL_Y,
                                     fixture::painelEsperado(0, nullptr, nullptr)->get()));
}

TEST_F(Placar, MultiplicadorDobraEm15_30_60EParaEmOito) {
    for (int acerto = 1; acerto <= 200; acerto++) {
        const int esperado = acerto < 15 ? 1 : acerto < 30 ? 2 : acerto < 60 ? 4 : 8;
        ASSERT_EQ(acertar(), 100 * esperado) << "hit " << acerto;
        if (acerto == 60) EXPECT_EQ(placar.getPontos(), 17200);
    }
    EXPECT_TRUE(painelMostra(placar.getPontos(), "200", "8"));
}

TEST_F(Placar, SequenciaQuebradaZeraMultiplicadorEMantemPontos) {
    acertarVezes(20);
    const int pontos = placar.getPontos();
    EXPECT_EQ(pontos, 14 * 100 + 6 * 200);
    placar.zerarCombo();
    EXPECT_EQ(placar.getPontos(), pontos);
    EXPECT_TRUE(painelMostra(pontos, nullptr, nullptr));
    EXPECT_EQ(acertar(), 100);
    EXPECT_TRUE(painelMostra(pontos + 100, "1", nullptr));
    // A new streak starts from scratch: the step comes again at its 15th hit.
    acertarVezes(13);
    EXPECT_EQ(acertar(), 200);
}

TEST_F(Placar, PontosAvulsosUsamMultiplicadorEmVigor) {
    acertarVezes(30);
    const int antes = placar.getPontos();
    placar.adicionarPontos(7);
    EXPECT_EQ(placar.getPontos() - antes, 28);
    EXPECT_TRUE(painelMostra(antes + 28, "30", "4"));
}

TEST_F(Placar, ZerarSemSequenciaNaoMudaNada) {
    placar.zerarCombo();
    EXPECT_EQ(placar.getPontos(), 0);
    EXPECT_TRUE(painelMostra(0, nullptr, nullptr));
    EXPECT_EQ(acertar(), 100);
}

}  // namespace
