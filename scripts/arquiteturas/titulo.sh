#!/usr/bin/env bash
# The game of another architecture, started under its emulator in Xvfb from
# the picture folder (scripts/arquiteturas/dentro.sh): its title must be the
# committed pictures composed pixel for pixel, and Esc must end it with exit
# code 0. Emulated, the game starts and draws later, so every wait is for
# what the screen shows, and longer than the native tests' waits.
#   titulo.sh GAME DATA_FOLDER READER   GAME: a program that starts the game;
#                                         READER: the screen reader olho_tela
source "$(dirname "$0")/../../tests/e2e/lib.sh" "$1" "$2" "$3"

iniciar_x
iniciar_jogo
if esperar_janela; then
  verificar "the title shows entry 0 (one player), pixel for pixel" esperar_tela titulo "$(titulo_esperado 0)" 60
  tecla Escape
  esperar_fim 60
  verificar "Esc on the title ends the game with exit code 0" igual "$CODIGO" 0
else
  falha "the game opens its window"
fi
terminar
