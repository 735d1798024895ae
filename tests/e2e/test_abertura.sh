#!/usr/bin/env bash
# shellcheck disable=SC2046  # the words of the expected pictures
# The title menu in the real window: what is on screen after each key, the
# instructions page, and leaving with exit code 0.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }

# Each picture is waited for; where a key must change nothing, the picture
# must also stand still (several frame intervals and at least half a second).
verificar "title shows entry 0 (one player)" esperar_tela t0 "$(titulo_esperado 0)" 10
tecla Up
verificar "Up on entry 0 changes nothing" esperar 10 t0b --parada $(titulo_esperado 0)
tecla Down
verificar "Down moves the cursor to entry 1" esperar_tela t1 "$(titulo_esperado 1)" 10
tecla Down
verificar "Down again: entry 2 (instructions)" esperar_tela t2 "$(titulo_esperado 2)" 10
tecla Return
verificar "Enter on entry 2 shows the instructions" esperar_tela help "$(instrucoes_esperadas)" 10
tecla Up
verificar "Up under the instructions keeps the page" esperar 10 help2 --parada $(instrucoes_esperadas)
tecla Escape
verificar "Esc closes the instructions on the moved entry 1" esperar_tela t1b "$(titulo_esperado 1)" 10
# From entry 1, where a second step is possible. Held past the X server's key
# repeat delay (660 ms), so that a repeated press would move the cursor too.
tecla Down 1
verificar "a held Down moves one entry only" esperar 10 t2h --parada $(titulo_esperado 2)
tecla Return
verificar "Enter on entry 2 shows the page again" esperar_tela help3 "$(instrucoes_esperadas)" 10
tecla Return
verificar "Enter again hides it, entry 2 still selected" esperar_tela t2b "$(titulo_esperado 2)" 10
tecla Down
verificar "Down moves the cursor to the last entry" esperar_tela t3 "$(titulo_esperado 3)" 10
tecla Down
verificar "Down on the last entry changes nothing" esperar 10 t3b --parada $(titulo_esperado 3)
tecla Return
esperar_fim 10
verificar "Enter on 'Sair' ends the program with exit code 0" igual "$CODIGO" 0

# Esc on the title leaves too.
iniciar_jogo
esperar_janela || falha "the game opens a window again"
esperar_tela t0c "$(titulo_esperado 0)" 10 > /dev/null
tecla Escape
esperar_fim 10
verificar "Esc on the title ends the program with exit code 0" igual "$CODIGO" 0

terminar
