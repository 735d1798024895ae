#ifndef BANCADA_H
#define BANCADA_H

// Shared by the benchmarks: the headless library, the frame budget and the
// memory floor every frame figure is compared with.
#include <benchmark/benchmark.h>

#include <cstddef>

namespace bancada {

// One frame of the 62.5 Hz clock.
constexpr double ORCAMENTO_QUADRO_S = 0.016;

// Pixel bytes one game frame moves: the cover strip and the playfield copied
// to the screen, then the whole buffer cleared (32-bit pixels).
constexpr std::size_t BYTES_QUADRO = (640 * 29 + 640 * 451 + 640 * 480) * 4;

// CPU seconds of one memcpy of BYTES_QUADRO, measured once at start-up
// (median of many runs) so the frame figures of the same run can be read as
// multiples of it.
double segundosPisoMemoria();
void medirPisoMemoria();

// CPU time of this thread, in seconds.
double segundosCpu();

// Adds to a frame benchmark its cost as a fraction of the 16 ms budget and as
// a multiple of the memory floor, from the CPU seconds its frames took in all.
void marcarQuadro(benchmark::State& state, double segundosQuadros);

}  // namespace bancada

#endif
