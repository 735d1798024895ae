// A player's arrow lane over whole stages: the opening arrows, the fixed
// sequence and its timing, the judgement of the answer keys, the verdicts
// reported to the player, the hit mark and the stage-finished flag.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "fixture_setas.h"

namespace {

using namespace pista;

const int CHAMADA_DO_FIM[3] = {0, 3360, 2771};
const int TOTAL_DE_SETAS[3] = {0, 53, 54};

// The arrow codes of each stage in the order they are fed to the lane.
const std::vector<int> SEQUENCIA[3] = {
    {},
    {3, 2, 1, 2, 3, 1, 2, 3, 0, 1, 0, 3, 3, 1, 0, 2, 1, 3, 0, 2, 1, 1, 3, 0, 0,
     2, 1, 3, 1, 0, 1, 0, 3, 2, 0, 0, 3, 2, 1, 3, 0, 1, 3, 2, 0, 1, 0, 3, 2, 2},
    {4, 5, 7, 7, 6, 4, 5, 4, 6, 4, 7, 6, 5, 4, 6, 6, 4, 5, 6, 7, 7, 5, 4, 6, 7,
     5, 6, 6, 4, 7, 7, 5, 4, 7, 6, 4, 5, 6, 7, 5, 5, 5, 6, 4, 7, 7, 4, 6, 5, 4}};

// Calls on which the verdicts fall: the first arrow reaches the top on call
// 240, the rest follow at the stage's repeating gaps.
std::vector<int> chamadasDosVereditos(int fase) {
    const std::vector<int> intervalos =
        fase == 1 ? std::vector<int>{54, 53, 54, 79} : std::vector<int>{44, 43, 44, 43, 66};
    std::vector<int> chamadas{240};
    while (static_cast<int>(chamadas.size()) < TOTAL_DE_SETAS[fase])
        chamadas.push_back(chamadas.back() + intervalos[(chamadas.size() - 1) % intervalos.size()]);
    return chamadas;
}

std::vector<int> chamadasDe(const std::vector<Registro>& registros) {
    std::vector<int> chamadas;
    for (const Registro& r : registros) chamadas.push_back(r.chamada);
    return chamadas;
}

// Pixels drawn at all (the buffer is cleared to black before every frame).
int pintados(BITMAP* b, int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y++) {
        const uint32_t* linha = reinterpret_cast<const uint32_t*>(b->line[y]);
        for (int x = 0; x < b->w; x++) n += linha[x] != 0;
    }
    return n;
}

// The code of the arrow just sent back to wait below the frame, checked
// against the lane column it waits in.
int setaEmEspera(const Pista& p) {
    int codigo = -1;
    for (int d = 0; d < 4; d++) {
        const int x = coluna(d, p.jogador) + LARGURA_SETA / 2;
        const int c = codigoDaCor(getpixel(p.buffer.get(), x, LINHA_ESPERA + 1));
        if (c < 0) continue;
        EXPECT_EQ(c % 4, d) << "arrow picture in another direction's column";
        EXPECT_EQ(codigo, -1) << "two arrows waiting";
        codigo = c;
    }
    return codigo;
}

class PorFaseEJogador : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    int fase() const { return std::get<0>(GetParam()); }
    int jogador() const { return std::get<1>(GetParam()); }
};

std::string nomeFaseJogador(const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
    return "fase" + std::to_string(std::get<0>(info.param)) + "_jogador" +
           std::to_string(std::get<1>(info.param));
}

using Abertura = PorFaseEJogador;
using SemTeclas = PorFaseEJogador;
using JogadorPerfeito = PorFaseEJogador;

// A buffer tall enough to show the arrows still below the frame.
TEST_P(Abertura, SetasDeAberturaNasColunasDaPistaEnfileiradasAbaixoDoQuadro) {
    Pista p(fase(), jogador(), 900);
    p.quadro();

    const std::vector<SetaVista> esperadas =
        fase() == 1
            ? std::vector<SetaVista>{{CIMA, 478}, {BAIXO, 585}, {ESQUERDA, 692}, {DIREITA, 799}}
            : std::vector<SetaVista>{
                  {CIMA, 478}, {BAIXO, 565}, {ESQUERDA, 652}, {DIREITA, 739}, {CIMA, 826}};
    const int h = alturaSeta(fase());
    for (const SetaVista& s : esperadas) {
        SCOPED_TRACE(s.y);
        const int cor = corDaSeta(s.direcao + (fase() == 1 ? 0 : 4));
        EXPECT_EQ(apoio::contarCor(p.buffer.get(), coluna(s.direcao, jogador()), s.y, LARGURA_SETA,
                                   h, cor),
                  LARGURA_SETA * h);
    }
    // Nothing else: no targets, no arrow in an unused slot, nothing in the other lane.
    EXPECT_EQ(pintados(p.buffer.get(), 0, 900),
              static_cast<int>(esperadas.size()) * LARGURA_SETA * h);
    EXPECT_TRUE(p.vereditos.empty());
    EXPECT_FALSE(p.fim);
}

// Nobody answers: every arrow is a miss, on the stage's beat, the last one
// finishes the stage, and from then on the lane is empty. Each arrow sent
// back to wait carries the next entry of the stage's sequence; the 50th
// entry is loaded but never rises.
TEST_P(SemTeclas, CadaSetaEErroNoCompassoDaFaseEAUltimaEncerra) {
    Pista p(fase(), jogador());
    std::vector<int> carregadas;
    int chamadaDoFim = 0;
    while (p.chamadas < CHAMADA_DO_FIM[fase()] + 300) {
        const size_t antes = p.vereditos.size();
        p.quadro();
        if (p.vereditos.size() > antes && p.vereditos.size() <= SEQUENCIA[fase()].size())
            carregadas.push_back(setaEmEspera(p));
        if (p.fim && chamadaDoFim == 0) chamadaDoFim = p.chamadas;
        if (chamadaDoFim)
            ASSERT_EQ(pintados(p.buffer.get(), 0, LINHAS_VISIVEIS), 0) << "call " << p.chamadas;
    }

    for (const Registro& r : p.vereditos)
        EXPECT_EQ(r.veredito, Veredito::erro) << "call " << r.chamada;
    EXPECT_EQ(chamadasDe(p.vereditos), chamadasDosVereditos(fase()));
    EXPECT_EQ(chamadaDoFim, CHAMADA_DO_FIM[fase()]);
    EXPECT_EQ(carregadas, SEQUENCIA[fase()]);
}

// Every hit also shows the hit mark for five frames, not only the first one.
TEST_P(JogadorPerfeito, AcertaTodasAsSetasSemNenhumErro) {
    Pista p(fase(), jogador());
    const int inicioDosAlvos = coluna(ESQUERDA, jogador());
    const int larguraDosAlvos = coluna(DIREITA, jogador()) + LARGURA_SETA - inicioDosAlvos;
    int quadrosComMarca = 0;
    while (!p.fim && p.chamadas < 4000) {
        p.quadroPerfeito();
        quadrosComMarca += apoio::contarCor(p.buffer.get(), inicioDosAlvos, LINHA_ALVOS,
                                            larguraDosAlvos, 32, corExclamacao()) == 30 * 32;
    }

    for (const Registro& r : p.vereditos)
        EXPECT_EQ(r.veredito, Veredito::acerto) << "call " << r.chamada;
    EXPECT_EQ(chamadasDe(p.vereditos), chamadasDosVereditos(fase()));
    EXPECT_EQ(p.chamadas, CHAMADA_DO_FIM[fase()]);
    EXPECT_EQ(quadrosComMarca, 5 * TOTAL_DE_SETAS[fase()]);
}

const auto TODAS = ::testing::Combine(::testing::Values(1, 2), ::testing::Values(1, 2));
INSTANTIATE_TEST_SUITE_P(GerenciadorSetas, Abertura, TODAS, nomeFaseJogador);
INSTANTIATE_TEST_SUITE_P(GerenciadorSetas, SemTeclas, TODAS, nomeFaseJogador);
INSTANTIATE_TEST_SUITE_P(GerenciadorSetas, JogadorPerfeito, TODAS, nomeFaseJogador);

// Both lanes share the stage's flag: a lane never lowers it, whether it was
// raised by the other lane or before the stage even ran. Real-size buffer.
TEST(GerenciadorSetas, BandeiraJaLevantadaNuncaEAbaixada) {
    for (int fase : {1, 2}) {
        SCOPED_TRACE(fase);
        Pista p(fase, 1, LINHAS_VISIVEIS, true);
        while (p.chamadas < CHAMADA_DO_FIM[fase] + 100) {
            p.quadro();
            ASSERT_TRUE(p.fim) << "call " << p.chamadas;
        }
        EXPECT_EQ(p.vereditos.size(), static_cast<size_t>(TOTAL_DE_SETAS[fase]));
    }
}

// One arrow answered by a short script of key frames; the verdict is the one
// reported when that arrow reaches the top.
struct Resposta {
    const char* nome;
    int fase;
    int jogador;
    int direcao;                            // of the nearest arrow answered
    int linha;                              // its top edge in the first scripted frame
    std::vector<std::vector<int>> quadros;  // keys down in each scripted frame
    Veredito esperado;
};

TEST(GerenciadorSetas, RespostasAUmaSeta) {
    const Veredito A = Veredito::acerto, E = Veredito::erro;
    const std::vector<int> W{KEY_W};
    // clang-format off
    const std::vector<Resposta> casos = {
        // The window: the target's rows, both ends included.
        {"top edge row 9 hits", 1, 1, BAIXO, 9, {{KEY_S}}, A},
        {"row 8 above the target misses", 1, 1, CIMA, 8, {W}, E},
        {"bottom edge row 41 hits", 1, 1, BAIXO, 41, {{KEY_S}}, A},
        {"row 42 below the window misses", 1, 1, CIMA, 42, {W}, E},
        {"stage 2 row 41 hits", 2, 1, BAIXO, 41, {{KEY_S}}, A},
        {"stage 2 row 42 misses", 2, 1, CIMA, 42, {W}, E},
        {"stage 2 row 9 hits", 2, 2, BAIXO, 9, {{KEY_2_PAD}}, A},
        {"right arrow with D", 1, 1, DIREITA, 41, {{KEY_D}}, A},
        // Holding: a key counts on its first two frames only.
        {"down one frame before the window still hits", 1, 1, CIMA, 42, {W, W, W}, A},
        {"down two frames before never hits", 1, 1, CIMA, 44,
         std::vector<std::vector<int>>(20, W), E},
        {"released and pressed again in the window hits", 1, 1, CIMA, 44, {W, {}, W}, A},
        {"a press before the window only", 1, 1, CIMA, 46, {W}, E},
        // Other keys.
        {"two answer keys at once", 1, 1, ESQUERDA, 40,
         {{KEY_A, KEY_W}, {KEY_A, KEY_W}, {KEY_A, KEY_W}}, E},
        {"second key released, right one down 2 frames", 1, 1, ESQUERDA, 40,
         {{KEY_A, KEY_W}, {KEY_A}}, A},
        {"second key released, right one down 3 frames", 1, 1, ESQUERDA, 40,
         {{KEY_A, KEY_W}, {KEY_A, KEY_W}, {KEY_A}}, E},
        {"wrong key", 1, 1, ESQUERDA, 40, {{KEY_D}}, E},
        {"wrong keys after a hit keep it", 1, 1, ESQUERDA, 40,
         {{KEY_A}, {KEY_D}, {KEY_W, KEY_S}, {KEY_A, KEY_W, KEY_S, KEY_D}}, A},
        {"walking keys and the other player's keys do not count", 1, 1, ESQUERDA, 40,
         {{KEY_A, KEY_G, KEY_H, KEY_LEFT, KEY_RIGHT, KEY_1_PAD, KEY_5_PAD}}, A},
        {"walking keys do not answer", 1, 1, ESQUERDA, 40, {{KEY_G}, {}, {KEY_H}}, E},
        // Player 2 answers on the keypad, in its own lane.
        {"player 2 left with 1 on the keypad", 1, 2, ESQUERDA, 40, {{KEY_1_PAD}}, A},
        {"player 2 up with 5 on the keypad", 1, 2, CIMA, 40, {{KEY_5_PAD}}, A},
        {"player 2 right with 3 on the keypad", 1, 2, DIREITA, 41, {{KEY_3_PAD}}, A},
        {"player 2 key down two frames before never hits", 1, 2, CIMA, 44,
         std::vector<std::vector<int>>(20, {KEY_5_PAD}), E},
        {"player 2 KEY_LEFT walks, does not answer", 1, 2, ESQUERDA, 40, {{KEY_LEFT}}, E},
        {"player 2 does not answer with player 1's key", 1, 2, ESQUERDA, 40, {{KEY_A}}, E},
    };
    // clang-format on
    for (const Resposta& caso : casos) {
        SCOPED_TRACE(caso.nome);
        Pista p(caso.fase, caso.jogador);
        ASSERT_TRUE(p.avancarAte(caso.direcao, caso.linha));
        const size_t antes = p.vereditos.size();
        for (const std::vector<int>& teclas : caso.quadros) p.quadro(teclas);
        ASSERT_EQ(p.vereditos.size(), antes) << "the script ran past the arrow's verdict";
        EXPECT_EQ(p.proximoVeredito(), caso.esperado);
    }
}

int pixelsDaMarca(const Pista& p, int x, int y, int w, int h) {
    return apoio::contarCor(p.buffer.get(), x, y, w, h, corExclamacao());
}

// The hit mark covers the judged arrow's target, over the arrow itself, in
// the frame of the hit and the four after it, and is gone in the sixth; a
// second hit on the same arrow while it shows does not make it last longer.
TEST(GerenciadorSetas, MarcaDeAcertoCincoQuadrosSobreOAlvo) {
    const int marcaInteira = 30 * 32;
    for (int jogador : {1, 2}) {
        for (bool segundoAcerto : {false, true}) {
            SCOPED_TRACE("player " + std::to_string(jogador) +
                         (segundoAcerto ? ", hit again" : ""));
            Pista p(1, jogador);
            const int t = tecla(BAIXO, jogador);
            // Hit on row 9 the arrow lies entirely under the mark; on row 41
            // it stays in the window long enough to be hit again.
            ASSERT_TRUE(p.avancarAte(BAIXO, segundoAcerto ? 41 : 9));
            const std::vector<std::vector<int>> roteiro =
                segundoAcerto ? std::vector<std::vector<int>>{{t}, {}, {t}, {}, {}, {}}
                              : std::vector<std::vector<int>>{{t}, {}, {}, {}, {}, {}};
            for (size_t q = 0; q < roteiro.size(); q++) {
                p.quadro(roteiro[q]);
                const int esperado = q < 5 ? marcaInteira : 0;
                EXPECT_EQ(pixelsDaMarca(p, 0, 0, 640, LINHAS_VISIVEIS), esperado)
                    << "frame " << q + 1;
                EXPECT_EQ(pixelsDaMarca(p, coluna(BAIXO, jogador), LINHA_ALVOS, 30, 32), esperado)
                    << "frame " << q + 1;
            }
            // The first arrow was missed, this one is a single hit, the next a miss.
            while (p.vereditos.size() < 3 && p.chamadas < 1000) p.quadro();
            ASSERT_EQ(p.vereditos.size(), 3u);
            EXPECT_EQ(p.vereditos[0].veredito, Veredito::erro);
            EXPECT_EQ(p.vereditos[1].veredito, Veredito::acerto);
            EXPECT_EQ(p.vereditos[2].veredito, Veredito::erro);
        }
    }
}

}  // namespace
