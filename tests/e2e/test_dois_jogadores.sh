#!/usr/bin/env bash
# A two-player game with both stages skipped at their start ends in a draw;
# pause, and Esc back to the title without ending the program.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
tecla Down
tecla Return
sleep 0.6
s1=$(foto fase1)
tecla F5
verificar "Zorbo stands at x 144" sprite_em "$s1" "personagens/P1 - esq.bmp" 144 426
verificar "Velna stands at x 464" sprite_em "$s1" "personagens/P2 - esq.bmp" 464 426
verificar "player 2's lane shows stage 1's background" \
  zero "$(diferencas_regiao "$s1" 500 29 "$DADOS/cenario/fase1.bmp" 500 0 8 451)"
verificar "stage 2 starts after the transition" esperar_cobertura aceso 8
tecla F5
verificar "the second transition clears the strip" esperar_cobertura apagado 4
sleep 4.5
esperado=$(referencia abertura/finish_draw.bmp empate 50 50 preto "Zorbo: 120000" 470 50 preto "Velna: 120000")
verificar "equal scores: the draw picture with both lines" tela_igual "$(foto empate)" "$esperado"
tecla Return
sleep 0.5
verificar "back on the title, entry 1 selected" tela_igual "$(foto titulo)" "$(titulo_esperado 1)"

# A new game: pause and resume.
tecla Return
sleep 1
tecla p
a=$(foto pausa1); sleep 0.7; b=$(foto pausa2)
verificar "paused: the screen stops changing" tela_igual "$b" "$a"
tecla Escape
c=$(foto pausa3)
verificar "paused: Esc does nothing" tela_igual "$c" "$a"
tecla p
sleep 0.5
d=$(foto depois)
verificar "P again resumes the game" positivo "$(diferencas "$d" "$a")"
verificar "still running after the pause" vivo

# Esc abandons the game; the menu ignores the Esc that is still held.
segurar Escape; sleep 0.5
verificar "Esc during a stage opens the title" tela_igual "$(foto esc)" "$(titulo_esperado 1)"
soltar Escape; sleep 0.3
verificar "the program is still running" vivo
tecla Escape
esperar_fim 10
verificar "Esc on the title then ends it with exit code 0" igual "$CODIGO" 0
terminar
