#!/usr/bin/env bash
# A one-player game left alone: every arrow missed, the health runs out and
# the game-over screen shows the score; Enter and Esc together end the program.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
tecla Return
verificar "the game-over screen shows 'Zorbo: 0' within a minute" \
  esperar 60 go igual abertura/game_over.bmp texto 50 50 branco "Zorbo: 0"
# Both held until the program has ended.
segurar Escape; segurar Return
esperar_fim 10
soltar Return; soltar Escape
verificar "Enter and Esc together close the screen and end the program (exit 0)" igual "$CODIGO" 0
terminar
