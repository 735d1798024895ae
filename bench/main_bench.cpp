// Entry of the benchmarks: the library started headless at 32-bit colour,
// `screen` a 640 x 480 memory bitmap, the real pictures of data/, and the
// memory floor measured before any benchmark runs.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bancada.h"
#include "imagens.h"

namespace bancada {

namespace {
double pisoSegundos = 0;
}  // namespace

double segundosCpu() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double segundosPisoMemoria() { return pisoSegundos; }

void medirPisoMemoria() {
    std::vector<unsigned char> origem(BYTES_QUADRO, 1), destino(BYTES_QUADRO, 0);
    std::vector<double> medidas;
    for (int i = 0; i < 301; i++) {
        const double inicio = segundosCpu();
        std::memcpy(destino.data(), origem.data(), BYTES_QUADRO);
        benchmark::ClobberMemory();
        medidas.push_back(segundosCpu() - inicio);
    }
    std::nth_element(medidas.begin(), medidas.begin() + medidas.size() / 2, medidas.end());
    pisoSegundos = medidas[medidas.size() / 2];
}

void marcarQuadro(benchmark::State& state, double segundosQuadros) {
    using benchmark::Counter;
    state.counters["orcamento"] = Counter(segundosQuadros / ORCAMENTO_QUADRO_S, Counter::kAvgIterations);
    state.counters["xPiso"] = Counter(segundosQuadros / pisoSegundos, Counter::kAvgIterations);
}

}  // namespace bancada

namespace {

// The pictures load by paths relative to the working directory: data/ when
// run from there, otherwise the data/ of the source tree.
bool acharImagens() {
    if (!imagens::primeiraImagemInvalida()) return true;
    if (chdir(RITMURO_DADOS) != 0) return false;
    return !imagens::primeiraImagemInvalida();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    screen = create_bitmap(640, 480);
    clear_bitmap(screen);
    if (!acharImagens()) {
        std::fprintf(stderr, "bench: the game's pictures are not in the working directory nor in %s\n",
                     RITMURO_DADOS);
        return 1;
    }
    bancada::medirPisoMemoria();
    benchmark::AddCustomContext("piso_memoria_us", std::to_string(bancada::segundosPisoMemoria() * 1e6));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroy_bitmap(screen);
    screen = NULL;
    return 0;
}
