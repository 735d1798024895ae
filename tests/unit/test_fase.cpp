// The stage: the order in which a step draws and runs things (walls before the
// characters, the ground after them, player 1 before player 2), one- and
// two-player stages, players who are out, completion, game over, and where the
// scenery is drawn while it scrolls and during the transition.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "define.h"
#include "fixture_fase.h"

using palco::Muros;
using palco::Opcoes;
using palco::Palco;

namespace {

class FaseTeste : public ::testing::Test {
protected:
    void SetUp() override { apoio::soltarTodasTeclas(); }
    void TearDown() override { apoio::soltarTodasTeclas(); }
};

Opcoes opcoes(int jogadores, Muros muros = Muros::vazios) {
    Opcoes o;
    o.jogadores = jogadores;
    o.muros = muros;
    return o;
}

int xDoPersonagem(const Palco& p, int jogador, int linha = palco::LINHA_CORPO) {
    return p.colunaDaCor(palco::corFigura(jogador), linha);
}

// Steps until the player is out (walls took its lives), at most `limite`
// steps; the step it happened on, or 0. Game over must not come meanwhile
// while anyone else is in.
int passosAteFora(Palco& p, int jogador, int limite) {
    for (int k = 1; k <= limite; k++) {
        p.passo();
        if (p.jogador(jogador).morto()) return k;
        EXPECT_FALSE(p.fase().deuGameOver()) << "step " << k;
    }
    return 0;
}

// Walls are drawn into the buffer before the characters test it, so a wall
// reaches a head on the very step it is drawn there.
using FaseOrdem = FaseTeste;

TEST_F(FaseOrdem, ParedeCustaUmaVidaNoPassoEmQueEDesenhadaSobreACabeca) {
    // The first row is one black line falling a pixel per step from row 0; the
    // characters' head test looks at rows 395 and 396 (their top is at 397).
    Palco p(opcoes(2, Muros::linhaUnica));
    p.passos(394);
    EXPECT_EQ(palco::preto(), getpixel(p.tela(), palco::COLUNA_MARCA, 394));
    EXPECT_EQ(3, p.iconesDeVida(1));
    EXPECT_EQ(3, p.iconesDeVida(2));

    p.passo();
    EXPECT_EQ(palco::preto(), getpixel(p.tela(), palco::COLUNA_MARCA, 395));
    EXPECT_EQ(2, p.iconesDeVida(1));
    EXPECT_EQ(2, p.iconesDeVida(2));
}

TEST_F(FaseOrdem, ChaoPretoNaoBarraQuemAnda) {
    // A pure-black ground overlaps the characters' lower rows; drawn after
    // them it never blocks their walk.
    Opcoes o = opcoes(2);
    o.chaoPreto = true;
    Palco p(o);
    key[KEY_H] = 1;     // player 1 walks right
    key[KEY_LEFT] = 1;  // player 2 walks left
    p.passos(10);

    EXPECT_EQ(palco::X_INICIAL[0] + 30, xDoPersonagem(p, 1));
    EXPECT_EQ(palco::X_INICIAL[1] - 30, xDoPersonagem(p, 2));
    EXPECT_EQ(palco::preto(), getpixel(p.tela(), palco::X_INICIAL[0] + 40, 430));
    EXPECT_EQ(3, p.iconesDeVida(1));
    EXPECT_EQ(3, p.iconesDeVida(2));
}

TEST_F(FaseOrdem, Jogador2TropecaNoJogador1MasNaoOContrario) {
    // Both characters are black (a wall to whoever tests after them) with a
    // top row in their own colour to find them by. They walk into each other:
    // player 2 tests the buffer after player 1 is drawn and is stopped; player
    // 1 tests before player 2 is drawn and walks on through.
    Opcoes o = opcoes(2);
    o.personagensPretos = true;
    Palco p(o);
    key[KEY_H] = 1;
    key[KEY_LEFT] = 1;
    p.passos(55);

    const int linhaDoTopo = palco::Y_FIGURA;
    EXPECT_EQ(palco::X_INICIAL[0] + 3 * 55, xDoPersonagem(p, 1, linhaDoTopo));
    // Player 2 reached x 320 on step 48 and has been against player 1's
    // picture since (unblocked it would be at 464 - 165 = 299).
    EXPECT_EQ(320, xDoPersonagem(p, 2, linhaDoTopo));
}

using FaseJogadores = FaseTeste;

TEST_F(FaseJogadores, UmJogadorTemUmaRaiaEUmPersonagemQueAndaUmaVezPorPasso) {
    Palco p(opcoes(1));
    key[KEY_H] = 1;
    p.passos(10);

    EXPECT_EQ(palco::X_INICIAL[0] + 30, xDoPersonagem(p, 1));
    EXPECT_TRUE(p.raiaDesenhada(1));
    EXPECT_FALSE(p.raiaDesenhada(2));
    EXPECT_EQ(-1, xDoPersonagem(p, 2));
    EXPECT_EQ(0, p.iconesDeVida(2));
    EXPECT_EQ(3, p.iconesDeVida(1));
    EXPECT_FALSE(p.fase().deuGameOver());
}

TEST_F(FaseJogadores, DoisJogadoresTemDuasRaiasEDoisPersonagens) {
    Palco p(opcoes(2));
    p.passos(10);

    EXPECT_TRUE(p.raiaDesenhada(1));
    EXPECT_TRUE(p.raiaDesenhada(2));
    EXPECT_EQ(palco::X_INICIAL[0], xDoPersonagem(p, 1));
    EXPECT_EQ(palco::X_INICIAL[1], xDoPersonagem(p, 2));
    EXPECT_EQ(3, p.iconesDeVida(2));
}

TEST_F(FaseJogadores, UmJogadorIgnoraOSegundoJogadorEFimDeJogoEDoPrimeiro) {
    // A one-player stage handed a separate, healthy second player: that player
    // is never run or drawn, and the game is over as soon as player 1 is out.
    Opcoes o = opcoes(1, Muros::cortinaInteira);
    o.segundoSeparado = true;
    Palco p(o);

    const int fora = passosAteFora(p, 1, 700);
    ASSERT_GT(fora, 0);
    EXPECT_FALSE(p.fase().deuGameOver());
    EXPECT_FALSE(p.raiaDesenhada(2));
    EXPECT_EQ(-1, xDoPersonagem(p, 2));
    EXPECT_EQ(0, p.iconesDeVida(2));

    p.passo();
    EXPECT_TRUE(p.fase().deuGameOver());
    EXPECT_FALSE(p.jogador(2).morto());
    EXPECT_EQ(100, p.jogador(2).getPorcentagem());
}

// A player out while the other plays on: the walls take all lives of the
// player whose half of the field they cover.
class FaseUmForaOutroJoga : public FaseTeste, public ::testing::WithParamInterface<int> {};

TEST_P(FaseUmForaOutroJoga, RaiaSomeVidasEmZeroSaudeDrenadaEOutroSegue) {
    const int fora = GetParam();
    const int outro = 3 - fora;
    Palco p(opcoes(2, fora == 1 ? Muros::cortinaEsquerda : Muros::cortinaDireita));

    const int passoFora = passosAteFora(p, fora, 700);
    ASSERT_GT(passoFora, 0);
    ASSERT_FALSE(p.jogador(outro).morto());
    EXPECT_EQ(0, p.iconesDeVida(fora));  // the hit that took the last life repainted the box
    EXPECT_FALSE(p.fase().deuGameOver());
    const int saude = p.jogador(fora).getPorcentagem();
    ASSERT_GT(saude, 5 * 3) << "the drain should take a few steps to watch";

    const int teclaDoOutro = outro == 1 ? KEY_H : KEY_LEFT;
    const int sentido = outro == 1 ? 1 : -1;
    const int xOutro = xDoPersonagem(p, outro);
    key[teclaDoOutro] = 1;
    for (int i = 1; i <= 25; i++) {
        p.passo();
        SCOPED_TRACE(i);
        EXPECT_FALSE(p.fase().deuGameOver());
        EXPECT_EQ(std::max(0, saude - 5 * i), p.jogador(fora).getPorcentagem());
        EXPECT_FALSE(p.raiaDesenhada(fora));
        EXPECT_EQ(-1, xDoPersonagem(p, fora));
        EXPECT_EQ(0, p.iconesDeVida(fora));
        EXPECT_TRUE(p.raiaDesenhada(outro));
        EXPECT_EQ(xOutro + sentido * 3 * i, xDoPersonagem(p, outro));
    }
    EXPECT_TRUE(p.jogador(fora).morto());
    EXPECT_FALSE(p.jogador(outro).morto());
}

INSTANTIATE_TEST_SUITE_P(Fase, FaseUmForaOutroJoga, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return "jogador" + std::to_string(i.param) + "Fora";
                         });

TEST_F(FaseJogadores, FimDeJogoQuandoAmbosSaemNoMesmoPasso) {
    Palco p(opcoes(2, Muros::cortinaInteira));
    const int fora = passosAteFora(p, 1, 700);
    ASSERT_GT(fora, 0);
    ASSERT_TRUE(p.jogador(2).morto());
    // Out at the end of that step: their own frames still ran in it.
    EXPECT_FALSE(p.fase().deuGameOver());

    p.passo();
    EXPECT_TRUE(p.fase().deuGameOver());
}

TEST_F(FaseJogadores, RaiaDoJogadorQueSegueConcluiAFaseSozinha) {
    // Player 1 answers nothing and runs out of health; player 2 answers every
    // arrow. Player 2's lane alone raises the completion after its last
    // verdict, on step 3360, and the game is never over.
    Palco p(opcoes(2));
    int passoFora = 0;
    for (int k = 1; k <= 3360; k++) {
        p.responderSetas(2);
        p.passo();
        ASSERT_FALSE(p.fase().deuGameOver()) << "step " << k;
        if (k < 3360) ASSERT_FALSE(p.fase().passouFase()) << "step " << k;
        if (passoFora == 0 && p.jogador(1).morto()) passoFora = k;
        if (passoFora > 0 && k > passoFora) ASSERT_FALSE(p.raiaDesenhada(1)) << "step " << k;
        if (k % 500 == 0) ASSERT_TRUE(p.raiaDesenhada(2)) << "step " << k;
    }
    EXPECT_TRUE(p.fase().passouFase());
    ASSERT_GT(passoFora, 0);
    EXPECT_EQ(100, p.jogador(2).getPorcentagem());
    EXPECT_EQ(0, p.jogador(1).getPorcentagem());

    // Out by health with lives left, player 1 had its lives taken by the
    // stage: the end-of-stage bonus (lives and health) is nothing.
    const int pontos = p.jogador(1).getPontos();
    p.jogador(1).resetarVidas();
    EXPECT_EQ(pontos, p.jogador(1).getPontos());
}

using FaseConclusao = FaseTeste;

TEST_F(FaseConclusao, F5ConcluiComATravaLivreEConclusaoNaoVolta) {
    Palco p(opcoes(1));
    p.passos(3);
    EXPECT_FALSE(p.fase().passouFase());

    key[KEY_F5] = 1;
    for (int i = 0; i < 40; i++) {
        p.passo(false);
        ASSERT_TRUE(p.fase().passouFase()) << "step " << i;
    }
    key[KEY_F5] = 0;
    p.passos(5);
    EXPECT_TRUE(p.fase().passouFase());
    EXPECT_FALSE(p.fase().deuGameOver());
}

TEST_F(FaseConclusao, F5ComATravaPresaNaoConclui) {
    Palco p(opcoes(1));
    key[KEY_F5] = 1;
    for (int i = 0; i < 40; i++) {
        p.passo(true);
        ASSERT_FALSE(p.fase().passouFase()) << "step " << i;
    }
    p.passo(false);
    EXPECT_TRUE(p.fase().passouFase());
}

TEST_F(FaseConclusao, ConclusaoEFimDeJogoNoMesmoPassoFicamAmbos) {
    Palco p(opcoes(1, Muros::cortinaEsquerda));
    const int fora = passosAteFora(p, 1, 700);
    ASSERT_GT(fora, 0);
    EXPECT_FALSE(p.fase().passouFase());

    key[KEY_F5] = 1;
    p.passo(false);
    EXPECT_TRUE(p.fase().deuGameOver());
    EXPECT_TRUE(p.fase().passouFase());
}

// Where the background, the moving layer and the ground land, and the ground
// over the characters' feet.
class FaseChao : public FaseTeste, public ::testing::WithParamInterface<int> {};

TEST_P(FaseChao, FundoCamadaEChaoNasSuasPosicoes) {
    const int altura = GetParam();
    Opcoes o = opcoes(2);
    o.alturaChao = altura;
    Palco p(o);
    p.passo();
    BITMAP* t = p.tela();

    for (int x : {0, 639})
        for (int y : {0, 479}) EXPECT_EQ(palco::corMolduraFundo(), getpixel(t, x, y)) << x << "," << y;
    EXPECT_EQ(palco::corFundo(1), getpixel(t, 1, 1));
    EXPECT_EQ(palco::corFundo(1), getpixel(t, 140, 200));
    EXPECT_EQ(palco::corMovel(1), getpixel(t, 141, 200));
    EXPECT_EQ(palco::corMovel(1), getpixel(t, 499, 200));
    EXPECT_EQ(palco::corFundo(1), getpixel(t, 500, 200));

    const int topo = MAX_Y - altura;  // its last row is the last playfield row, 450
    EXPECT_EQ(palco::corChao(), getpixel(t, 300, topo));
    EXPECT_NE(palco::corChao(), getpixel(t, 300, topo - 1));
    EXPECT_EQ(palco::corChao(), getpixel(t, 300, MAX_Y - 1));
    EXPECT_NE(palco::corChao(), getpixel(t, 300, MAX_Y));
    EXPECT_EQ(palco::corChao(), getpixel(t, 141, topo));
    EXPECT_EQ(palco::corChao(), getpixel(t, 499, topo));
    EXPECT_NE(palco::corChao(), getpixel(t, 140, topo));
    EXPECT_NE(palco::corChao(), getpixel(t, 500, topo));

    // The characters stand on row 441; the ground covers their lower rows.
    EXPECT_EQ(palco::corChao(), getpixel(t, 160, 440));
    EXPECT_EQ(palco::corChao(), getpixel(t, 480, 440));
    EXPECT_EQ(palco::corFigura(1), getpixel(t, 160, topo - 1));
    EXPECT_EQ(palco::corFigura(2), getpixel(t, 480, topo - 1));
}

INSTANTIATE_TEST_SUITE_P(Fase, FaseChao, ::testing::Values(30, 20),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return "altura" + std::to_string(i.param);
                         });

using FaseCenario = FaseTeste;

TEST_F(FaseCenario, CamadaMovelDesceUmPixelACadaSeisPassosEVoltaAoFimDoCiclo) {
    // The marker row shows at row posMovel + 480. Each step draws the layer
    // before moving it, so step k shows where k - 1 steps left it.
    Palco p(opcoes(1));
    const int chaoTopo = MAX_Y - 30;
    for (int k = 1; k <= 2880; k++) {
        p.passo();
        const int esperado = (k - 1) / 6;
        if (esperado >= chaoTopo && esperado < MAX_Y) continue;  // under the ground
        ASSERT_EQ(esperado, p.linhaDaMarca()) << "step " << k;
    }
    EXPECT_EQ(479, p.linhaDaMarca());  // at -1 for the last six steps of the cycle
    p.passo();
    EXPECT_EQ(0, p.linhaDaMarca());  // after 480 moves of one pixel: back at -480
}

TEST_F(FaseCenario, TransicaoParadaDezVezesDepoisAceleraEPassaDoZeroVoltaA480) {
    // Each call draws the layer where the previous calls left it.
    Palco p(opcoes(1));
    int linha[146] = {0};
    for (int k = 1; k <= 145; k++) {
        p.acelerar(10);
        linha[k] = p.linhaDaMarca();
    }
    for (int k = 1; k <= 11; k++) EXPECT_EQ(0, linha[k]) << "call " << k;
    for (int k = 12; k <= 21; k++) EXPECT_EQ(k - 11, linha[k]) << "call " << k;  // 1 px per call
    EXPECT_EQ(12, linha[22]);  // 2 px per call from the 21st
    // After 102 calls the layer is at -10; the 103rd moves it 10, exactly to 0,
    // which starts it again at -480.
    EXPECT_EQ(470, linha[103]);
    EXPECT_EQ(0, linha[104]);
    // At -8 after 143 calls; the 144th would carry it 6 past 0: it ends at -480.
    EXPECT_EQ(472, linha[144]);
    EXPECT_EQ(0, linha[145]);

    // Only the moving layer is drawn, at x 141.
    BITMAP* t = p.tela();
    EXPECT_EQ(palco::corLimpa(), getpixel(t, 140, 200));
    EXPECT_EQ(palco::corMovel(1), getpixel(t, 141, 200));
    EXPECT_EQ(palco::corMovel(1), getpixel(t, 499, 200));
    EXPECT_EQ(palco::corLimpa(), getpixel(t, 500, 200));
}

TEST_F(FaseCenario, TransicaoComecaOndeARolagemDeixouACamadaComSuaPropriaContagem) {
    Palco p(opcoes(1));
    p.passos(12);  // two moves: at -478
    for (int k = 1; k <= 11; k++) {
        p.acelerar(10);
        ASSERT_EQ(2, p.linhaDaMarca()) << "call " << k;
    }
    p.acelerar(10);
    EXPECT_EQ(3, p.linhaDaMarca());
}

// Any stage number other than 1 is stage 2: its own scenery, its walls
// falling two pixels per step, its arrows.
class FaseSegunda : public FaseTeste, public ::testing::WithParamInterface<int> {};

TEST_P(FaseSegunda, UsaCenarioMurosESetasDaSegundaFase) {
    Opcoes o = opcoes(1, Muros::linhaUnica);
    o.fase = GetParam();
    Palco p(o);
    p.passo();
    BITMAP* t = p.tela();
    EXPECT_EQ(palco::corFundo(2), getpixel(t, 1, 1));
    EXPECT_EQ(palco::corMovel(2), getpixel(t, 141, 200));
    // The opening up arrow, two rows above the bottom after one step.
    EXPECT_EQ(palco::corSeta(4), getpixel(t, 71 + 15, 478));

    // The first row's black line is at row 2 * k after step k: on the head
    // test's row 396 on step 198.
    p.passos(196);
    EXPECT_EQ(3, p.iconesDeVida(1));
    p.passo();
    EXPECT_EQ(palco::preto(), getpixel(t, palco::COLUNA_MARCA, 396));
    EXPECT_EQ(2, p.iconesDeVida(1));
}

INSTANTIATE_TEST_SUITE_P(Fase, FaseSegunda, ::testing::Values(2, 3),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return "numero" + std::to_string(i.param);
                         });

}  // namespace
