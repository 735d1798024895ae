#!/usr/bin/env bash
# A one-player game of the Windows game under wine, the scene of the native
# test (../e2e/telas.sh): stage 1 on screen (walls, lane, Zorbo), F5 through
# both stages to the finish screen with the score, Enter back to the title,
# and Esc out with exit code 0.
#   test_um_jogador.sh [EXE [DADOS [OLHO]]]
set -uo pipefail
source "$(dirname "$0")/lib_wine.sh" "$@"

partida() {
  wine_abrir_jogo || return
  verificar "the title is on screen" esperar_tela titulo0 "$(titulo_esperado 0)" 30
  cena_um_jogador
  wine_esperar_saida 30 Escape || return
  verificar "Esc on the title ends the game with exit code 0" igual "$WINE_CODIGO" 0
}

wine_tentar 240 3 partida
wine_terminar
