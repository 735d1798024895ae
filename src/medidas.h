#ifndef MEDIDAS_H
#define MEDIDAS_H

// Where things stand on the screen and how fast they move: the numbers the
// game's classes draw and move by. The art generator draws its pictures to
// fit them and the tests that read the screen look for things by them, so
// they live here once. Pixels, pixels per frame and frames.
#include "define.h"

namespace medidas {

// The screen: the cover strip on rows 0-28, the playfield's rows 0-450 below it.
inline constexpr int ALTURA_TELA = 480;
inline constexpr int ALTURA_COBERTURA = 29;
static_assert(ALTURA_COBERTURA + MAX_Y == ALTURA_TELA, "the strip and the playfield fill the screen");

// The title menu: the box of entries, the clef cursor beside the entry
// chosen, and the instructions page's text.
inline constexpr int X_CAIXA_MENU = 259;
inline constexpr int Y_CAIXA_MENU = 300;
inline constexpr int X_CURSOR = 220;
inline constexpr int Y_CURSOR_ENTRADA0 = 300;
inline constexpr int PASSO_ENTRADA = 45;  // rows between entries
inline constexpr int X_INSTRUCOES = 10;
inline constexpr int Y_INSTRUCOES = 200;

// The end screens' scores, in the library's 8-pixel font.
inline constexpr int X_PLACAR_P1 = 50;
inline constexpr int X_PLACAR_P2 = 470;
inline constexpr int Y_PLACAR = 50;

// Between the stages: 249 frames of scenery speeding up, then one black frame.
inline constexpr int QUADROS_TRANSICAO = 250;

// The playfield between the lanes, where the moving scenery, the walls and
// the ground are drawn, 359 pixels wide from column 141.
inline constexpr int X_CAMPO = 141;
inline constexpr int LARGURA_CAMPO = 359;
inline constexpr int TOPO_MOVEL = -480;   // the moving layer's top lies in -480 .. -1
inline constexpr int ATRASO_CENARIO = 5;  // it moves one pixel every sixth step

// Wall rows: how many are on screen at once, how far apart, how fast they fall.
inline constexpr int FILEIRAS_FASE1 = 5;
inline constexpr int DISTANCIA_FASE1 = 95;
inline constexpr int VELOCIDADE_MUROS_FASE1 = 1;
inline constexpr int FILEIRAS_FASE2 = 4;
inline constexpr int DISTANCIA_FASE2 = 115;
inline constexpr int VELOCIDADE_MUROS_FASE2 = 2;

// The characters: feet on one line, where they start, how they walk.
inline constexpr int LINHA_CHAO = 441;
inline constexpr int CENTRO_P1 = 160;  // start columns of the characters' centres
inline constexpr int CENTRO_P2 = 480;
inline constexpr int VELOCIDADE_PERSONAGEM = 3;
inline constexpr int LIMITE_ESQUERDO = 140;  // walking left needs x above this
inline constexpr int LIMITE_DIREITO = 497;   // walking right needs x + w at most this
// Black on the rows just above the head, at these columns in from either
// side of the picture, costs a life.
inline constexpr int LINHAS_SOBRE_A_CABECA = 2;
inline constexpr int RECUO_DA_CABECA = 2;

// The arrow lanes: player 1's at the left edge, player 2's the same moved
// right; the targets' top row; arrows rise 2 rows a frame.
inline constexpr int LINHA_ALVOS = 9;
inline constexpr int VELOCIDADE_SETA = 2;
inline constexpr int DESLOCAMENTO_RAIA_P2 = 499;
inline constexpr int COLUNA_CIMA = 71;
inline constexpr int COLUNA_BAIXO = 40;
inline constexpr int COLUNA_ESQUERDA = 9;
inline constexpr int COLUNA_DIREITA = 102;

// The cover strip's boxes (their places are in define.h).
inline constexpr int LARGURA_VIDAS = 52;
inline constexpr int ALTURA_VIDAS = 16;
inline constexpr int LARGURA_PAINEL = 158;
inline constexpr int ALTURA_PAINEL = 24;

// The lives box shows one icon a life.
inline constexpr int VIDAS_INICIAIS = 3;

}  // namespace medidas

#endif
