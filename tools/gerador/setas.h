#ifndef SETAS_H
#define SETAS_H

// What the arrows' pictures and the lanes' targets drawn on the backgrounds
// share: the size of every arrow and hit-mark picture, and each direction's
// colour, the same in both stages.

#include "medidas.h"
#include "pincel.h"

inline constexpr int LARGURA_SETA = 30;
inline constexpr int ALTURA_SETA = 32;
static_assert(LARGURA_SETA <= medidas::COLUNA_BAIXO - medidas::COLUNA_ESQUERDA &&
                  LARGURA_SETA <= medidas::COLUNA_CIMA - medidas::COLUNA_BAIXO &&
                  LARGURA_SETA <= medidas::COLUNA_DIREITA - medidas::COLUNA_CIMA,
              "an arrow fits between the lanes' columns");

inline constexpr pincel::Cor TOM_CIMA = {70, 222, 104};      // green
inline constexpr pincel::Cor TOM_BAIXO = {72, 152, 255};     // blue
inline constexpr pincel::Cor TOM_ESQUERDA = {255, 92, 180};  // pink
inline constexpr pincel::Cor TOM_DIREITA = {255, 214, 52};   // yellow

#endif
