#ifndef PALETAS_H
#define PALETAS_H

// Zorbo's and Velna's colours, for the small walkers of the playfield and the
// big figures of the title and the finish screens alike.

#include "pincel.h"

// Zorbo, player 1: stocky drummer, red shirt with an orange stripe, orange
// shorts or trousers, a yellow headband, drumsticks and a blue drum.
namespace zorbo {
using pincel::Cor;
inline constexpr Cor PELE = {226, 160, 112};
inline constexpr Cor PELE_SOMBRA = {184, 118, 82};
inline constexpr Cor CABELO = {96, 56, 40};
inline constexpr Cor CABELO_SOMBRA = {70, 40, 32};
inline constexpr Cor CAMISA = {226, 48, 44};
inline constexpr Cor CAMISA_SOMBRA = {160, 30, 48};
inline constexpr Cor LISTRA = {255, 170, 40};
inline constexpr Cor SHORT = {250, 140, 36};         // the big figure's shorts
inline constexpr Cor CALCA = {240, 122, 30};         // the walker's trousers
inline constexpr Cor CALCA_SOMBRA = {180, 80, 32};
inline constexpr Cor SAPATO = {244, 244, 250};
inline constexpr Cor SAPATO_SOMBRA = {176, 172, 196};
inline constexpr Cor SOLA = {226, 48, 44};
inline constexpr Cor FAIXA = {255, 214, 60};         // the headband
inline constexpr Cor FAIXA_SOMBRA = {220, 160, 40};
inline constexpr Cor MADEIRA = {240, 200, 130};      // the drumsticks
inline constexpr Cor PONTA_BAQUETA = {255, 240, 200};
inline constexpr Cor TAMBOR = {60, 110, 220};
inline constexpr Cor ARO = {250, 200, 70};
inline constexpr Cor CORDA = {240, 240, 250};
inline constexpr Cor PELE_TAMBOR = {250, 246, 228};
inline constexpr Cor OLHO = {28, 22, 40};
inline constexpr Cor BOCA = {150, 40, 50};
}  // namespace zorbo

// Velna, player 2: slender, teal tunic over green leggings, a golden
// ponytail, maracas.
namespace velna {
using pincel::Cor;
inline constexpr Cor PELE = {250, 208, 172};
inline constexpr Cor PELE_SOMBRA = {214, 160, 134};
inline constexpr Cor CABELO = {255, 204, 72};
inline constexpr Cor CABELO_SOMBRA = {214, 144, 40};
inline constexpr Cor CABELO_BRILHO = {255, 240, 170};
inline constexpr Cor TUNICA = {36, 196, 180};
inline constexpr Cor TUNICA_SOMBRA = {20, 128, 136};
inline constexpr Cor ENFEITE = {250, 244, 210};      // sash, collar, wristbands
inline constexpr Cor LEGGING = {70, 186, 90};
inline constexpr Cor LEGGING_SOMBRA = {42, 128, 76};
inline constexpr Cor SAPATO = {250, 246, 236};
inline constexpr Cor SAPATO_SOMBRA = {196, 188, 180};
inline constexpr Cor SOLA = {20, 128, 136};
inline constexpr Cor MARACA = {255, 120, 60};
inline constexpr Cor FAIXA_MARACA = {255, 214, 60};
inline constexpr Cor CABO = {170, 100, 60};
inline constexpr Cor OLHO = {28, 22, 40};
inline constexpr Cor BOCA = {200, 70, 90};
}  // namespace velna

#endif
