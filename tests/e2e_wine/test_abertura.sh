#!/usr/bin/env bash
# The Windows game's title menu under wine: the pictures on screen after each
# key, the instructions page, and leaving with Esc with exit code 0.
#   test_abertura.sh [EXE [DADOS [OLHO]]]
set -uo pipefail
source "$(dirname "$0")/lib_wine.sh" "$@"

menu() {
  wine_abrir_jogo || return
  verificar "the title shows back.bmp, caixa0.bmp at (259,300) and clave.bmp at (220,300)" \
    esperar_tela t0 "$(titulo_esperado 0)" 30
  tecla Down
  verificar "Down moves the box and the clef to entry 1" esperar_tela t1 "$(titulo_esperado 1)" 20
  tecla Up
  verificar "Up goes back to entry 0" esperar_tela t0b "$(titulo_esperado 0)" 20
  tecla Down Down
  verificar "Down twice: entry 2 (instructions)" esperar_tela t2 "$(titulo_esperado 2)" 20
  tecla Return
  verificar "Enter on entry 2 shows the instructions page" esperar_tela ajuda "$(instrucoes_esperadas)" 20
  tecla Escape
  verificar "Esc closes the instructions, back on entry 2" esperar_tela t2b "$(titulo_esperado 2)" 20
  verificar "the game is still running after the Esc that closed the page" vivo
  tecla Escape
  wine_esperar_saida 30 || return
  verificar "Esc on the title ends the game with exit code 0" igual "$WINE_CODIGO" 0
}

wine_tentar 180 3 menu
wine_terminar
