#!/usr/bin/env bash
# A two-player game with both stages skipped at their start ends in a draw;
# then both players walking and answering, the pause, and Esc back to the
# title without ending the program.
source "$(dirname "$0")/lib.sh"

iniciar_x
# The robot that answers the arrows is built before any stage runs: built
# during a stage it would eat seconds of the walls' fall.
robo_compilar > /dev/null
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
tecla Down
tecla Return
# Skipped with F5 as soon as it shows, before the first arrow is judged.
esperar 10 fase1 na_fase 1
s1="$TMP_E2E/fase1.png"
tecla F5
verificar "Zorbo stands at x 144" sprite_em "$s1" "personagens/P1 - esq.bmp" 144 426
verificar "Velna stands at x 464" sprite_em "$s1" "personagens/P2 - esq.bmp" 464 426
verificar "player 2's lane shows stage 1's background" \
  zero "$(diferencas_regiao "$s1" 500 29 "$DADOS/cenario/fase1.bmp" 500 0 8 451)"
verificar "stage 2 starts after the transition" esperar_cobertura aceso 8
tecla F5
verificar "the second transition clears the strip" esperar_cobertura apagado 4
esperado=$(referencia abertura/finish_draw.bmp empate 50 50 preto "Zorbo: 120000" 470 50 preto "Velna: 120000")
verificar "equal scores: the draw picture with both lines" esperar_tela empate "$esperado" 10
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
