#ifndef TELAS_H
#define TELAS_H

// The big pictures of abertura/: one file draws each screen (tela_*.cpp),
// telas.cpp the pieces they share. Full-screen pictures have no magenta: the
// game draws them with draw_sprite, which would leave holes there.

#include <allegro.h>

#include <cstdint>
#include <vector>

#include "pincel.h"

// The band across the top of the end screens where the scores are printed.
inline constexpr int FAIXA_PLACAR_FIM = 82;

// The title's night sky, top to bottom; the icons' tile has it too.
inline const std::vector<pincel::Cor> CEU_NOITE = {
    {30, 26, 70}, {48, 40, 104}, {84, 62, 136}, {140, 86, 150}};

// ---- The screens -------------------------------------------------------------

// abertura/back.bmp: the title (tela_titulo.cpp).
BITMAP* desenharFundoTitulo();
// abertura/caixa<i>.bmp: the menu box with entry `destacada` lit (tela_menu.cpp).
BITMAP* desenharCaixa(int destacada);
// abertura/back_help.bmp and abertura/instrucoes.bmp: the instructions page's
// background and its panel (tela_instrucoes.cpp).
BITMAP* desenharFundoAjuda();
BITMAP* desenharInstrucoes();
// abertura/game_over.bmp (tela_fim_de_jogo.cpp).
BITMAP* desenharFimDeJogo();
// abertura/finish_<winner>.bmp, its confetti drawn from `semente` (tela_final.cpp).
enum class Vencedor { ZORBO, VELNA, EMPATE };
BITMAP* desenharFinal(Vencedor v, std::uint32_t semente);

// ---- Pieces shared by the screens --------------------------------------------

// The title's night sky over the whole screen, with stars drawn from `semente`.
void fundoNoite(BITMAP* b, std::uint32_t semente);
// A stage floor over columns x1..x2, rows topo..base: gold trim, red skirt,
// a row of footlights.
void palco(BITMAP* b, int x1, int x2, int topo, int base);
// A wall block as the game shows them: solid dark, battlements on top, a
// thin glow around.
void blocoDeMuro(BITMAP* b, int x1, int y1, int x2, int y2);
// The end screens' top band with the plate behind the scores.
void placaDoPlacar(BITMAP* b, pincel::Cor fundo, pincel::Cor moldura);
// "Enter: voltar ao menu" at the foot of an end screen.
void rodapeFim(BITMAP* b, int y, pincel::Cor cor);

#endif
