#!/usr/bin/env bash
# The title menu in the real window: what is on screen after each key, the
# instructions page, and leaving with exit code 0.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
sleep 0.3

verificar "title shows entry 0 (one player)" tela_igual "$(foto t0)" "$(titulo_esperado 0)"
tecla Up
verificar "Up on entry 0 changes nothing" tela_igual "$(foto t0b)" "$(titulo_esperado 0)"
tecla Down
verificar "Down moves the cursor to entry 1" tela_igual "$(foto t1)" "$(titulo_esperado 1)"
tecla Down
verificar "Down again: entry 2 (instructions)" tela_igual "$(foto t2)" "$(titulo_esperado 2)"
tecla Return
verificar "Enter on entry 2 shows the instructions" tela_igual "$(foto help)" "$(instrucoes_esperadas)"
tecla Up
verificar "Up under the instructions keeps the page" tela_igual "$(foto help2)" "$(instrucoes_esperadas)"
tecla Escape
verificar "Esc closes the instructions on the moved entry 1" tela_igual "$(foto t1b)" "$(titulo_esperado 1)"
tecla Down
tecla Return
tecla Return
verificar "Enter twice on entry 2 shows and hides the page" tela_igual "$(foto t2b)" "$(titulo_esperado 2)"
segurar Down; sleep 0.4
verificar "a held Down moves one entry only" tela_igual "$(foto t3)" "$(titulo_esperado 3)"
soltar Down; sleep 0.2
tecla Down
verificar "Down on the last entry changes nothing" tela_igual "$(foto t3b)" "$(titulo_esperado 3)"
tecla Return
esperar_fim 10
verificar "Enter on 'Sair' ends the program with exit code 0" igual "$CODIGO" 0

# Esc on the title leaves too.
iniciar_jogo
esperar_janela || falha "the game opens a window again"
tecla Escape
esperar_fim 10
verificar "Esc on the title ends the program with exit code 0" igual "$CODIGO" 0

terminar
