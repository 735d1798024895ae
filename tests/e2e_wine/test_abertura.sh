#!/usr/bin/env bash
# The Windows game's title menu under wine: the pictures on screen after each
# key, the instructions page, and leaving with Esc with exit code 0.
#   test_abertura.sh [EXE [DADOS [REFERENCIA]]]
set -uo pipefail
source "$(dirname "$0")/lib_wine.sh" "$@"

instrucoes_esperadas() {
  convert "$WINE_DADOS/abertura/back_help.bmp" \
    \( "$WINE_DADOS/abertura/instrucoes.bmp" -transparent '#ff00ff' \) -geometry +10+200 -composite \
    "$WINE_TMP/esperado_instrucoes.png"
  echo "$WINE_TMP/esperado_instrucoes.png"
}

menu() {
  wine_abrir_jogo || return
  wine_verificar "the title shows back.bmp, caixa0.bmp at (259,300) and clave.bmp at (220,300)" \
    wine_tela_igual "$(wine_foto t0)" "$(wine_titulo_esperado 0)"
  wine_segurar_tecla Down
  wine_verificar "Down moves the box and the clef to entry 1" \
    wine_tela_igual "$(wine_foto t1)" "$(wine_titulo_esperado 1)"
  wine_segurar_tecla Up
  wine_verificar "Up goes back to entry 0" wine_tela_igual "$(wine_foto t0b)" "$(wine_titulo_esperado 0)"
  wine_segurar_tecla Down Down
  wine_verificar "Down twice: entry 2 (instructions)" \
    wine_tela_igual "$(wine_foto t2)" "$(wine_titulo_esperado 2)"
  wine_segurar_tecla Return
  wine_verificar "Enter on entry 2 shows the instructions page" \
    wine_tela_igual "$(wine_foto ajuda)" "$(instrucoes_esperadas)"
  wine_segurar_tecla Escape
  wine_verificar "Esc closes the instructions, back on entry 2" \
    wine_tela_igual "$(wine_foto t2b)" "$(wine_titulo_esperado 2)"
  wine_verificar "the game is still running after the Esc that closed the page" wine_vivo
  wine_segurar_tecla Escape
  wine_esperar_saida 20 || return
  wine_verificar "Esc on the title ends the game with exit code 0" wine_igual "$WINE_CODIGO" 0
}

wine_tentar 120 3 menu
wine_terminar
