#!/usr/bin/env bash
# A two-player game with both stages skipped at their start ends in a draw;
# then both players walking and answering, the pause, and Esc back to the
# title without ending the program.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
tecla Down
tecla Return
# Skipped with F5 as soon as it shows, before the first arrow is judged.
verificar "Enter on entry 1 starts stage 1 with both characters at their start" \
  esperar 10 fase1 fase 1 e "${FASE_A_DOIS_INICIO[@]}"
tecla F5
verificar "player 2's lane shows stage 1's background" ver fase1 regiao cenario/fase1.bmp 500 29 8 451 500 0
verificar "stage 2 starts after the transition" esperar 8 cobertura aceso 0 0 640 29
tecla F5
verificar "the second transition clears the strip" esperar 4 cobertura apagado 0 0 640 29
verificar "equal scores: the draw picture with both lines" \
  esperar 10 empate igual abertura/finish_draw.bmp texto 50 50 preto "Zorbo: 120000" texto 470 50 preto "Velna: 120000"
tecla Return
verificar "back on the title, entry 1 selected" esperar_tela titulo "$(titulo_esperado 1)" 10

# Two more games, with the scenes shared with the wine test (telas.sh): both
# characters walk with their own keys and each lane answers its own
# player's keys; the pause; Esc back to the title each time, where the Esc
# still held is ignored.
partida_a_dois cena_zorbo
partida_a_dois cena_velna
verificar "the program is still running" vivo
tecla Escape
esperar_fim 10
verificar "Esc on the title then ends it with exit code 0" igual "$CODIGO" 0
terminar
