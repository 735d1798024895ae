#!/usr/bin/env bash
# Two-player games of the Windows game under wine, with the scenes shared
# with the native test (../e2e/telas.sh): both characters walking with their
# own keys; each lane answered by its own player's keys; pause and resume;
# Esc back to the title each time, and Esc out with exit code 0.
#   test_dois_jogadores.sh [EXE [DADOS [OLHO]]]
set -uo pipefail
source "$(dirname "$0")/lib_wine.sh" "$@"

partidas() {
  wine_abrir_jogo || return
  verificar "the title is on screen" esperar_tela titulo0 "$(titulo_esperado 0)" 30
  # shellcheck disable=SC2046  # the words of the expected picture
  verificar "Down selects entry 1 (two players)" tocar_ate 30 titulo1 Down $(titulo_esperado 1)
  partida_a_dois cena_zorbo
  partida_a_dois cena_velna
  # shellcheck disable=SC2046  # the words of the expected picture
  verificar "the Esc still held when the title came back did not end the game" \
    esperar 10 esc_solto --parada $(titulo_esperado 1)
  verificar "the game is still running" vivo
  wine_esperar_saida 30 Escape || return
  verificar "Esc on the title ends the game with exit code 0" igual "$WINE_CODIGO" 0
}

wine_tentar 300 3 partidas
wine_terminar
