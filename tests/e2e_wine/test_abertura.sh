#!/usr/bin/env bash
# shellcheck disable=SC2046  # the words of the expected pictures
# The Windows game's title menu under wine: the pictures on screen after each
# key, the instructions page, and leaving with Esc with exit code 0.
#   test_abertura.sh [EXE [DADOS [OLHO]]]
set -uo pipefail
source "$(dirname "$0")/lib_wine.sh" "$@"

# Each key is held until what it does shows (tocar_ate), and the last Esc
# until the game has ended: wine hands the game its keys late, and a tap
# can begin and end between two of its passes.
menu() {
  wine_abrir_jogo || return
  verificar "the title shows back.bmp, caixa0.bmp at (259,300) and clave.bmp at (220,300)" \
    esperar_tela t0 "$(titulo_esperado 0)" 30
  verificar "Down moves the box and the clef to entry 1" tocar_ate 30 t1 Down $(titulo_esperado 1)
  verificar "Up goes back to entry 0" tocar_ate 30 t0b Up $(titulo_esperado 0)
  verificar "Down again: entry 1" tocar_ate 30 t1b Down $(titulo_esperado 1)
  verificar "Down once more: entry 2 (instructions)" tocar_ate 30 t2 Down $(titulo_esperado 2)
  verificar "Enter on entry 2 shows the instructions page" tocar_ate 30 ajuda Return $(instrucoes_esperadas)
  verificar "Esc closes the instructions, back on entry 2" tocar_ate 30 t2b Escape $(titulo_esperado 2)
  verificar "the game is still running after the Esc that closed the page" vivo
  wine_esperar_saida 30 Escape || return
  verificar "Esc on the title ends the game with exit code 0" igual "$WINE_CODIGO" 0
}

wine_tentar 180 3 menu
wine_terminar
