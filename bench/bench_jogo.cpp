// What one frame of the game costs, and the one-off costs around a game:
// the title menu's pass, building a game and the start-up picture check.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "Abertura.h"
#include "Player.h"
#include "apoio.h"
#include "bancada.h"
#include "define.h"
#include "fluxo.h"
#include "imagens.h"
#include "jogador_roteirizado.h"
#include "medidas.h"
#include "partida.h"

namespace {

const int PASSOS_AQUECIMENTO = 600;  // by then every wall row is on screen
const int PASSOS_MAXIMOS = 2400;     // well before the lanes run out of arrows

// A game through the game's own frame (partida.h), at the start of stage
// `fase`: stage 2 as after F5 on stage 1 and its transition. The scripted
// players, one per player, look at each frame presented and choose the keys
// of the next: they walk out from under the walls and answer the arrows, so
// both characters stay drawn and hit marks show.
class PartidaRoteirizada {
public:
    PartidaRoteirizada(int jogadores, int fase) : partida(jogadores) {
        if (fase == 2) {
            key[KEY_F5] = 1;
            partida.quadro();
            key[KEY_F5] = 0;
            while (partida.emTransicao()) partida.quadro();
        }
        for (int j = 1; j <= jogadores; j++) {
            roteiros.push_back(std::make_unique<roteiro::JogadorRoteirizado>(j));
            roteiros.back()->comecarFase(fase);
        }
    }
    ~PartidaRoteirizada() { apoio::soltarTodasTeclas(); }

    void apertarTeclas() const {
        for (const auto& r : roteiros) r->apertar();
    }
    void quadro() {
        partida.quadro();
        passos++;
    }
    void olhar() {
        for (auto& r : roteiros) r->olhar(screen);
    }
    bool alguemFora() const {
        for (int j = 1; j <= partida.jogadores(); j++)
            if (partida.jogador(j).morto()) return true;
        return false;
    }
    int pontos() const {
        int soma = 0;
        for (int j = 1; j <= partida.jogadores(); j++) soma += partida.jogador(j).getPontos();
        return soma;
    }

    int passos = 0;

private:
    apoio::Partida partida;
    std::vector<std::unique_ptr<roteiro::JogadorRoteirizado>> roteiros;
};

std::unique_ptr<PartidaRoteirizada> partidaAquecida(int jogadores, int fase) {
    auto partida = std::make_unique<PartidaRoteirizada>(jogadores, fase);
    for (int i = 0; i < PASSOS_AQUECIMENTO; i++) {
        partida->apertarTeclas();
        partida->quadro();
        partida->olhar();
    }
    return partida;
}

// One game frame, as the main loop runs it: the stage step, the key guard,
// the presentation and the clear; the scripted players (not timed) keep the
// characters walking and the arrows answered.
void BM_Quadro(benchmark::State& state) {
    const int fase = static_cast<int>(state.range(0));
    const int jogadores = static_cast<int>(state.range(1));
    auto partida = partidaAquecida(jogadores, fase);
    int acertos = 0;
    double segundos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (partida->passos >= PASSOS_MAXIMOS || partida->alguemFora()) {
            partida = partidaAquecida(jogadores, fase);
            if (partida->alguemFora()) {
                state.SkipWithError("a player is out after the warm-up");
                state.ResumeTiming();
                break;
            }
        }
        partida->apertarTeclas();
        const int antes = partida->pontos();
        state.ResumeTiming();

        const double inicio = bancada::segundosCpu();
        partida->quadro();
        segundos += bancada::segundosCpu() - inicio;

        state.PauseTiming();
        if (partida->pontos() > antes) acertos++;
        partida->olhar();
        state.ResumeTiming();
    }
    bancada::marcarQuadro(state, segundos);
    state.counters["acertos"] = acertos;
}
// A fixed count keeps every timed frame inside one warmed-up stage.
BENCHMARK(BM_Quadro)
    ->ArgNames({"fase", "jogadores"})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({2, 1})
    ->Args({2, 2})
    ->Iterations(1500);

// A two-player game whose stage 1 has just been completed with F5.
std::unique_ptr<apoio::Partida> partidaEmTransicao() {
    auto partida = std::make_unique<apoio::Partida>(2);
    key[KEY_F5] = 1;
    partida->quadro();
    key[KEY_F5] = 0;
    return partida;
}

// One frame between the stages, through the game's frame: the cover strip
// cleared, the scenery sped up (or, once in 250, the bonus and the next
// stage), the presentation and the clear.
void BM_QuadroTransicao(benchmark::State& state) {
    auto partida = partidaEmTransicao();
    double segundos = 0;
    for (auto _ : state) {
        if (!partida->emTransicao()) {
            state.PauseTiming();
            partida = partidaEmTransicao();
            state.ResumeTiming();
        }
        const double inicio = bancada::segundosCpu();
        partida->quadro();
        segundos += bancada::segundosCpu() - inicio;
    }
    bancada::marcarQuadro(state, segundos);
}
BENCHMARK(BM_QuadroTransicao);

// The floor a frame is measured against: memcpy of the bytes a frame moves.
void BM_PisoMemoria(benchmark::State& state) {
    std::unique_ptr<unsigned char[]> origem(new unsigned char[bancada::BYTES_QUADRO]());
    std::unique_ptr<unsigned char[]> destino(new unsigned char[bancada::BYTES_QUADRO]());
    const double inicio = bancada::segundosCpu();
    for (auto _ : state) {
        std::memcpy(destino.get(), origem.get(), bancada::BYTES_QUADRO);
        benchmark::ClobberMemory();
    }
    bancada::marcarQuadro(state, bancada::segundosCpu() - inicio);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bancada::BYTES_QUADRO);
}
BENCHMARK(BM_PisoMemoria);

// The first pass of a fresh title menu with Enter down on entry 0: it draws
// the title once, presents it and returns the choice.
void BM_MenuTitulo(benchmark::State& state) {
    BITMAP* buffer = create_bitmap(MAX_X, medidas::ALTURA_TELA);
    clear_bitmap(buffer);
    key[KEY_ENTER] = 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Abertura> menu(new Abertura());
        state.ResumeTiming();
        benchmark::DoNotOptimize(menu->selecao(buffer, false));
        state.PauseTiming();
        menu.reset();
        state.ResumeTiming();
    }
    key[KEY_ENTER] = 0;
    destroy_bitmap(buffer);
}
// Loading a fresh menu for every pass is slow (not timed): a fixed count.
BENCHMARK(BM_MenuTitulo)->Unit(benchmark::kMicrosecond)->Iterations(300);

// A new two-player game as the main loop builds it (fluxo.h): both players,
// then both stages with every picture.
void BM_MontarJogo(benchmark::State& state) {
    BITMAP* buffer = create_bitmap(MAX_X, medidas::ALTURA_TELA);
    BITMAP* cobertura = create_bitmap(MAX_X, medidas::ALTURA_COBERTURA);
    Jogo jogo;
    for (auto _ : state) {
        iniciarJogo(jogo, buffer, cobertura, 2);
        state.PauseTiming();
        liberarJogo(jogo);
        state.ResumeTiming();
    }
    destroy_bitmap(buffer);
    destroy_bitmap(cobertura);
}
BENCHMARK(BM_MontarJogo)->Unit(benchmark::kMillisecond);

// The start-up check: every picture opened, verified whole and loaded once.
void BM_VerificarImagens(benchmark::State& state) {
    for (auto _ : state) {
        if (const char* invalida = imagens::primeiraImagemInvalida()) {
            state.SkipWithError(invalida);
            break;
        }
    }
}
BENCHMARK(BM_VerificarImagens)->Unit(benchmark::kMillisecond);

}  // namespace
