// What one frame of the game costs, and the one-off costs around a game:
// the title menu's pass, building a game and the start-up picture check.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "Abertura.h"
#include "Fase.h"
#include "Player.h"
#include "bancada.h"
#include "define.h"
#include "imagens.h"

namespace {

const int ALTURA_COBERTURA = 29;
const int PASSOS_AQUECIMENTO = 600;  // by then every wall row is on screen
const int PASSOS_MAXIMOS = 2400;     // well before the lanes run out of arrows
const int PASSOS_ENTRE_VIDAS = 100;

// The main loop's presentation and clear that close every frame.
void apresentar(BITMAP* buffer, BITMAP* cobertura) {
    blit(cobertura, screen, 0, 0, 0, 0, MAX_X, ALTURA_COBERTURA);
    blit(buffer, screen, 0, 0, 0, ALTURA_COBERTURA, MAX_X, MAX_Y);
    clear_bitmap(buffer);
}

// A player who only looks at the screen: presses the answer key of the lane
// column in which an arrow's top edge shows inside the targets' rows. Lane
// pixels differ from the stage background only where an arrow or a hit mark
// is drawn.
class Leitor {
public:
    explicit Leitor(int fase)
        : fundo(load_bitmap(fase == 1 ? imagens::FASE1 : imagens::FASE2, NULL)) {}
    ~Leitor() { destroy_bitmap(fundo); }
    Leitor(const Leitor&) = delete;
    Leitor& operator=(const Leitor&) = delete;

    void responder(int jogador) const {
        static const int COLUNAS[4] = {71, 40, 9, 102};  // up, down, left, right
        static const int TECLAS[2][4] = {{KEY_W, KEY_S, KEY_A, KEY_D},
                                         {KEY_5_PAD, KEY_2_PAD, KEY_1_PAD, KEY_3_PAD}};
        const int deslocamento = jogador == 1 ? 0 : 499;
        for (int d = 0; d < 4; d++) {
            const int topo = topoDaSeta(COLUNAS[d] + deslocamento);
            key[TECLAS[jogador - 1][d]] = topo >= 11 && topo <= 38;
        }
    }

private:
    // First playfield row (as shown on screen) in which the 30 columns from x
    // differ from the background, or -1.
    int topoDaSeta(int x) const {
        for (int y = 0; y < 80; y++) {
            const auto* visto = reinterpret_cast<const std::uint32_t*>(screen->line[y + ALTURA_COBERTURA]);
            const auto* fundoLinha = reinterpret_cast<const std::uint32_t*>(fundo->line[y]);
            for (int c = x; c < x + 30; c++)
                if (visto[c] != fundoLinha[c]) return y;
        }
        return -1;
    }

    BITMAP* fundo;
};

// One game as the main loop holds it, on one stage.
class Partida {
public:
    Partida(int jogadores, int fase)
        : jogadores(jogadores),
          buffer(create_bitmap(MAX_X, 480)),
          cobertura(create_bitmap(MAX_X, ALTURA_COBERTURA)) {
        clear_bitmap(buffer);
        clear_bitmap(cobertura);
        p1.reset(new Player(*buffer, *cobertura, 1));
        if (jogadores == 2) p2.reset(new Player(*buffer, *cobertura, 2));
        palco.reset(new Fase(*buffer, *cobertura, jogadores, fase, *p1, p2 ? *p2 : *p1));
    }
    ~Partida() {
        palco.reset();
        p1.reset();
        p2.reset();
        destroy_bitmap(buffer);
        destroy_bitmap(cobertura);
    }
    Partida(const Partida&) = delete;
    Partida& operator=(const Partida&) = delete;

    void quadro() {
        palco->processar(false);
        apresentar(buffer, cobertura);
        passos++;
    }
    bool alguemFora() { return p1->morto() || (p2 && p2->morto()); }
    void restaurarVidas() {
        p1->resetarVidas();
        if (p2) p2->resetarVidas();
    }
    int pontos() { return p1->getPontos() + (p2 ? p2->getPontos() : 0); }

    const int jogadores;
    int passos = 0;

private:
    BITMAP* buffer;
    BITMAP* cobertura;
    std::unique_ptr<Player> p1, p2;
    std::unique_ptr<Fase> palco;
};

void responder(const Leitor& leitor, const Partida& partida) {
    leitor.responder(1);
    if (partida.jogadores == 2) leitor.responder(2);
}

// Restoring the lives every hundred steps keeps both characters drawn, the
// costlier frame: the walls take a life now and then.
void manterVivos(Partida& partida) {
    if (partida.passos % PASSOS_ENTRE_VIDAS == 0) partida.restaurarVidas();
}

std::unique_ptr<Partida> partidaAquecida(int jogadores, int fase, const Leitor& leitor) {
    std::unique_ptr<Partida> partida(new Partida(jogadores, fase));
    for (int i = 0; i < PASSOS_AQUECIMENTO; i++) {
        manterVivos(*partida);
        responder(leitor, *partida);
        partida->quadro();
    }
    return partida;
}

// One game frame: the stage step, the presentation and the clear, with the
// answer keys pressed by the pixel reader (not timed) so hit marks show.
void BM_Quadro(benchmark::State& state) {
    const int fase = static_cast<int>(state.range(0));
    const int jogadores = static_cast<int>(state.range(1));
    const Leitor leitor(fase);
    auto partida = partidaAquecida(jogadores, fase, leitor);
    int acertos = 0;
    double segundos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (partida->passos >= PASSOS_MAXIMOS || partida->alguemFora()) {
            partida = partidaAquecida(jogadores, fase, leitor);
            if (partida->alguemFora()) {
                state.SkipWithError("a player is out after the warm-up");
                state.ResumeTiming();
                break;
            }
        }
        manterVivos(*partida);
        responder(leitor, *partida);
        const int antes = partida->pontos();
        state.ResumeTiming();

        const double inicio = bancada::segundosCpu();
        partida->quadro();
        segundos += bancada::segundosCpu() - inicio;

        state.PauseTiming();
        if (partida->pontos() > antes) acertos++;
        state.ResumeTiming();
    }
    bancada::marcarQuadro(state, segundos);
    state.counters["acertos"] = acertos;
    for (int k : {KEY_W, KEY_S, KEY_A, KEY_D, KEY_5_PAD, KEY_2_PAD, KEY_1_PAD, KEY_3_PAD}) key[k] = 0;
}
// A fixed count keeps every timed frame inside one warmed-up stage.
BENCHMARK(BM_Quadro)
    ->ArgNames({"fase", "jogadores"})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({2, 1})
    ->Args({2, 2})
    ->Iterations(1500);

// One frame between the stages: the cover strip cleared, the scenery sped up,
// the presentation and the clear.
void BM_QuadroTransicao(benchmark::State& state) {
    BITMAP* buffer = create_bitmap(MAX_X, 480);
    BITMAP* cobertura = create_bitmap(MAX_X, ALTURA_COBERTURA);
    clear_bitmap(buffer);
    Player p1(*buffer, *cobertura, 1), p2(*buffer, *cobertura, 2);
    Fase palco(*buffer, *cobertura, 2, 1, p1, p2);
    const double inicio = bancada::segundosCpu();
    for (auto _ : state) {
        clear_bitmap(cobertura);
        palco.acelerarCenario(10);
        apresentar(buffer, cobertura);
    }
    bancada::marcarQuadro(state, bancada::segundosCpu() - inicio);
    destroy_bitmap(buffer);
    destroy_bitmap(cobertura);
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
    BITMAP* buffer = create_bitmap(MAX_X, 480);
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

// A new two-player game: both players, then both stages with every picture.
void BM_MontarJogo(benchmark::State& state) {
    BITMAP* buffer = create_bitmap(MAX_X, 480);
    BITMAP* cobertura = create_bitmap(MAX_X, ALTURA_COBERTURA);
    for (auto _ : state) {
        auto* p1 = new Player(*buffer, *cobertura, 1);
        auto* p2 = new Player(*buffer, *cobertura, 2);
        auto* fase1 = new Fase(*buffer, *cobertura, 2, 1, *p1, *p2);
        auto* fase2 = new Fase(*buffer, *cobertura, 2, 2, *p1, *p2);
        state.PauseTiming();
        delete fase1;
        delete fase2;
        delete p1;
        delete p2;
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
