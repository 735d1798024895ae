// Whole two-player games, both stages and the transitions between them, played
// frame by frame through the game's own flow as the main loop plays it, under
// random presses of every game key. After every frame each player's health,
// lives, points and the verdicts of its arrow lane must keep to the game's
// rules, and the flow must go from stage 1 through its transition to stage 2
// and the end. The key presses come from a fixed seed, so a failure replays
// exactly.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Player.h"
#include "apoio.h"
#include "imagens.h"
#include "jogador_roteirizado.h"
#include "leitor_tela.h"
#include "medidas.h"
#include "partida.h"

namespace {

using medidas::QUADROS_TRANSICAO;
const int VEREDICTOS_POR_FASE[3] = {0, 53, 54};  // one per arrow the lane runs
const int PARTIDAS = 16;
const long QUADROS_LONGOS = 1000000;
const long QUADROS_MAXIMOS = 20000;  // a game lasts at most two stages and two transitions
const unsigned SEMENTE = 20240611;

// Hit values: 100 points times a multiplier of 1, 2, 4 or 8.
bool pontosDeAcerto(int diferenca) {
    return diferenca == 100 || diferenca == 200 || diferenca == 400 || diferenca == 800;
}

// The keys of one player.
struct Teclas {
    int esquerda, direita;
    int respostas[4];  // up, down, left, right
};
const Teclas TECLAS[2] = {
    {KEY_G, KEY_H, {KEY_W, KEY_S, KEY_A, KEY_D}},
    {KEY_LEFT, KEY_RIGHT, {KEY_5_PAD, KEY_2_PAD, KEY_1_PAD, KEY_3_PAD}}};

// One key pressed by a random finger: each frame it is up, it goes down with
// probability `chance` and stays down for a random number of frames.
struct Dedo {
    int tecla;
    double chance;
    int minimo, maximo;
    int restante = 0;

    void tocar(std::mt19937& sorte) {
        if (restante == 0 && std::uniform_real_distribution<>(0, 1)(sorte) < chance)
            restante = std::uniform_int_distribution<>(minimo, maximo)(sorte);
        key[tecla] = restante > 0;
        if (restante > 0) restante--;
    }
};

// How one game is played: per player a skill (the chance of answering an
// arrow the scripted player answers) and whether it walks where the scripted
// player walks, dodging the walls, and how often F5 is pressed.
struct Estilo {
    double habilidade[2];
    bool esquiva[2];
    double chanceF5;
};

// What a player looked like after the last frame.
struct Retrato {
    int pontos, saude, vidas;
    bool fora;
};

struct Resumo {
    long quadros = 0;
    int partidas = 0, finais = 0, gameOvers = 0;
    int fasesPorRaia = 0, fasesPorF5 = 0;
};

// Every life left is worth 10 000 points and every percent of health 300,
// through the multiplier in force (1, 2, 4 or 8).
bool bonusDeFimDeFase(int ganho, const Retrato& a) {
    const int base = 10000 * a.vidas + 300 * a.saude;
    return ganho == base || ganho == 2 * base || ganho == 4 * base || ganho == 8 * base;
}

// One whole game through the game's own flow, from the start of stage 1
// until the game-over or the finish screen would show.
class PartidaAleatoria {
public:
    PartidaAleatoria(const leitura::Figura (&icones)[2], std::mt19937& sorte, const Estilo& estilo,
                     Resumo& resumo)
        : partida(2), icones(icones), sorte(sorte), estilo(estilo), resumo(resumo) {
        for (int j = 0; j < 2; j++) {
            roteiros[j] = std::make_unique<roteiro::JogadorRoteirizado>(j + 1);
            const Teclas& t = TECLAS[j];
            dedos.push_back({t.esquerda, 0.04, 4, 60});
            dedos.push_back({t.direita, 0.04, 4, 60});
            for (int tecla : t.respostas) dedos.push_back({tecla, 0.03, 1, 10});
            antes[j] = retratar(j);
        }
        dedos.push_back({KEY_F5, estilo.chanceF5, 1, 400});
    }

    ~PartidaAleatoria() { apoio::soltarTodasTeclas(); }

    // Plays to the end; stops early at the first broken rule. The keys for a
    // frame are chosen from the screen of the frame before it.
    void jogar() {
        while (!acabou && !::testing::Test::HasFailure()) {
            quadro();
            resumo.quadros++;
            ASSERT_LT(quadrosDaPartida, QUADROS_MAXIMOS) << onde(0) << ": the game never ended";
            pressionarTeclas();
        }
        resumo.partidas++;
    }

private:
    Player& jogador(int j) const { return partida.jogador(j + 1); }

    Retrato retratar(int j) {
        Player& p = jogador(j);
        // The lives box must show a count of lives, the icons and nothing else.
        const int vidas = leitura::vidasNaCaixa(leitura::quadroDe(p.desenharVidas()), 0, 0, icones[j]);
        return {p.getPontos(), p.getPorcentagem(), vidas, p.morto()};
    }

    std::string onde(int j) const {
        std::ostringstream s;
        s << "game " << resumo.partidas + 1 << ", frame " << quadrosDaPartida << ", stage "
          << partida.fase() << ", player " << j + 1;
        return s.str();
    }

    // Random fingers on every key; then the scripted players of those still
    // in look at the stage's frame just presented: a dodging player walks as
    // its scripted player does, out from under the walls, and a skilled
    // player may answer the arrow its scripted player answers, with a fresh
    // press of the right key alone. A player out stays out for the stage.
    void pressionarTeclas() {
        for (Dedo& d : dedos) d.tocar(sorte);
        if (partida.emTransicao()) return;
        for (int j = 0; j < 2; j++) {
            if (antes[j].fora || (!estilo.esquiva[j] && estilo.habilidade[j] == 0)) continue;
            roteiros[j]->olhar(screen);
            if (estilo.esquiva[j]) {
                const int passo = roteiros[j]->passo();
                dedos[j * 6].restante = dedos[j * 6 + 1].restante = 0;
                key[TECLAS[j].esquerda] = passo < 0;
                key[TECLAS[j].direita] = passo > 0;
            }
            const int seta = roteiros[j]->resposta();
            if (seta < 0 || std::uniform_real_distribution<>(0, 1)(sorte) >= estilo.habilidade[j]) continue;
            for (int d = 0; d < 4; d++) {
                Dedo& dedo = dedos[j * 6 + 2 + d];
                dedo.restante = d == seta && !key[dedo.tecla] ? 1 : 0;
                key[dedo.tecla] = d == seta && !key[dedo.tecla];
            }
        }
    }

    // The game's frame; then the rules of what it was, a stage step or a
    // frame between the stages. `flag` is the key guard as it must be:
    // neither P nor Esc is ever pressed here.
    void quadro() {
        quadrosDaPartida++;
        const bool f5Age = key[KEY_F5] && !flag;
        const bool passo = !partida.emTransicao();
        const int numero = partida.fase();
        const Desfecho desfecho = partida.quadro();
        flag = key[KEY_F5];
        if (passo)
            conferirPasso(numero, f5Age, desfecho);
        else
            conferirTransicao(numero, desfecho);
    }

    void conferirPasso(int numero, bool f5Age, Desfecho desfecho) {
        const Retrato previo[2] = {antes[0], antes[1]};
        const int total = VEREDICTOS_POR_FASE[numero];
        bool algumaRaiaCompleta = false;
        for (int j = 0; j < 2; j++) {
            const Retrato agora = retratar(j);
            conferirJogador(j, antes[j], agora, total);
            if (!antes[j].fora && veredictos[j] == total) algumaRaiaCompleta = true;
            antes[j] = agora;
        }
        ASSERT_EQ(numero, partida.fase()) << onde(0) << ": a stage step changed the stage";
        if (partida.emTransicao()) {
            ASSERT_TRUE(f5Age || algumaRaiaCompleta)
                << onde(0) << ": the stage ended with neither F5 nor a lane run through";
            if (!f5Age) {
                resumo.fasesPorRaia++;
                // The lanes run in step: whoever was in has had every verdict.
                for (int j = 0; j < 2; j++)
                    if (!previo[j].fora) EXPECT_EQ(total, veredictos[j]) << onde(j);
            } else {
                resumo.fasesPorF5++;
            }
        } else {
            ASSERT_FALSE(f5Age) << onde(0) << ": F5 pressed afresh did not complete the stage";
        }
        if (desfecho == Desfecho::GAME_OVER) {
            EXPECT_TRUE(antes[0].fora && antes[1].fora) << onde(0) << ": game over with a player in";
            resumo.gameOvers++;
            acabou = true;
        }
    }

    void conferirJogador(int j, const Retrato& a, const Retrato& agora, int total) {
        ASSERT_GE(agora.saude, 0) << onde(j);
        ASSERT_LE(agora.saude, 100) << onde(j);
        ASSERT_GE(agora.vidas, 0) << onde(j) << ": the lives box shows no count from 0 to 3";
        ASSERT_LE(agora.vidas, a.vidas) << onde(j) << ": lives grew during a stage";
        ASSERT_GE(agora.pontos, a.pontos) << onde(j) << ": points fell";
        const int ganho = agora.pontos - a.pontos;
        const int perda = a.saude - agora.saude;
        if (a.fora) {
            // Out: no verdicts; lives held at 0 and health drained 5 a step.
            ASSERT_EQ(0, ganho) << onde(j);
            ASSERT_EQ(0, agora.vidas) << onde(j);
            ASSERT_EQ(a.saude > 5 ? 5 : a.saude, perda) << onde(j);
            ASSERT_TRUE(agora.fora) << onde(j) << ": a player who is out came back in a stage";
            return;
        }
        const bool acerto = ganho > 0;
        const bool erro = perda > 0;
        ASSERT_FALSE(acerto && erro) << onde(j) << ": a hit and a miss in one step";
        if (acerto) {
            ASSERT_TRUE(pontosDeAcerto(ganho)) << onde(j) << ": a hit worth " << ganho;
            ASSERT_EQ(a.saude == 100 ? 0 : -1, perda) << onde(j) << ": a hit heals one percent";
        }
        if (erro) ASSERT_EQ(a.saude > 5 ? 5 : a.saude, perda) << onde(j) << ": a miss costs five percent";
        if (!acerto && !erro) ASSERT_EQ(a.saude, agora.saude) << onde(j);
        if (acerto || erro) veredictos[j]++;
        ASSERT_LE(veredictos[j], total) << onde(j) << ": more verdicts than arrows";
    }

    // 249 frames of scenery with the points frozen, then on the 250th the
    // stage-end bonus, full lives and health, and stage 2 or the end.
    void conferirTransicao(int numero, Desfecho desfecho) {
        quadrosDeTransicao++;
        if (quadrosDeTransicao < QUADROS_TRANSICAO) {
            ASSERT_TRUE(desfecho == Desfecho::SEGUE && partida.emTransicao() && partida.fase() == numero)
                << onde(0) << ": the transition ended after " << quadrosDeTransicao << " frames";
            for (int j = 0; j < 2; j++) ASSERT_EQ(antes[j].pontos, jogador(j).getPontos()) << onde(j);
            return;
        }
        quadrosDeTransicao = 0;
        for (int j = 0; j < 2; j++) {
            const Retrato agora = retratar(j);
            ASSERT_TRUE(bonusDeFimDeFase(agora.pontos - antes[j].pontos, antes[j]))
                << onde(j) << ": a bonus of " << agora.pontos - antes[j].pontos << " for "
                << antes[j].vidas << " lives and " << antes[j].saude << " % of health";
            ASSERT_EQ(100, agora.saude) << onde(j);
            ASSERT_EQ(3, agora.vidas) << onde(j);
            ASSERT_FALSE(agora.fora) << onde(j);
            antes[j] = agora;
            veredictos[j] = 0;
        }
        if (numero == 1) {
            ASSERT_TRUE(desfecho == Desfecho::SEGUE && partida.fase() == 2 && !partida.emTransicao())
                << onde(0) << ": stage 2 does not follow stage 1's transition";
            for (auto& r : roteiros) r->comecarFase(2);
        } else {
            ASSERT_EQ(Desfecho::FIM, desfecho) << onde(0) << ": stage 2's transition does not end the game";
            resumo.finais++;
            acabou = true;
        }
    }

    apoio::Partida partida;
    std::unique_ptr<roteiro::JogadorRoteirizado> roteiros[2];
    const leitura::Figura (&icones)[2];
    std::mt19937& sorte;
    const Estilo estilo;
    Resumo& resumo;

    std::vector<Dedo> dedos;
    Retrato antes[2];
    int veredictos[2] = {0, 0};
    int quadrosDeTransicao = 0;
    bool flag = false;
    bool acabou = false;
    long quadrosDaPartida = 0;
};

Estilo sortearEstilo(std::mt19937& sorte) {
    static const double HABILIDADES[] = {0.0, 0.5, 0.9, 1.0};
    static const double CHANCES_F5[] = {0.0, 1.0 / 300, 1.0 / 900};
    std::uniform_int_distribution<> h(0, 3), e(0, 3), f(0, 2);
    Estilo estilo;
    for (int j = 0; j < 2; j++) {
        estilo.habilidade[j] = HABILIDADES[h(sorte)];
        estilo.esquiva[j] = e(sorte) > 0;
    }
    estilo.chanceF5 = CHANCES_F5[f(sorte)];
    return estilo;
}

// Plays seeded games one after another until `partidas` games or `quadros`
// frames have been played (whichever comes first), then prints the summary.
Resumo jogarPartidas(int partidas, long quadros) {
    apoio::soltarTodasTeclas();
    const leitura::Figura icones[2] = {leitura::carregarFigura(imagens::RED_MUSH),
                                       leitura::carregarFigura(imagens::GREEN_MUSH)};
    std::mt19937 sorte(SEMENTE);
    Resumo resumo;

    while (resumo.partidas < partidas && resumo.quadros < quadros && !::testing::Test::HasFailure()) {
        PartidaAleatoria partida(icones, sorte, sortearEstilo(sorte), resumo);
        partida.jogar();
        if (resumo.partidas % 100 == 0)
            std::fprintf(stderr, "soak: %d games, %ld frames so far\n", resumo.partidas, resumo.quadros);
    }

    std::printf("soak: %ld frames, %d games (%d finished, %d game over); stages ended by a lane %d, by F5 %d\n",
                resumo.quadros, resumo.partidas, resumo.finais, resumo.gameOvers, resumo.fasesPorRaia,
                resumo.fasesPorF5);
    return resumo;
}

TEST(SoakJogo, PartidasInteirasSobTeclasAleatorias) {
    const Resumo resumo = jogarPartidas(PARTIDAS, std::numeric_limits<long>::max());
    EXPECT_EQ(PARTIDAS, resumo.partidas);
    EXPECT_EQ(PARTIDAS, resumo.finais + resumo.gameOvers);
}

// The long soak, outside the default run (bench/soak_longo.sh): the same
// seeded games and per-frame rules, on until a million frames have passed.
TEST(SoakJogo, DISABLED_UmMilhaoDeQuadros) {
    const Resumo resumo = jogarPartidas(std::numeric_limits<int>::max(), QUADROS_LONGOS);
    EXPECT_GE(resumo.quadros, QUADROS_LONGOS);
    EXPECT_EQ(resumo.partidas, resumo.finais + resumo.gameOvers);
}

}  // namespace
