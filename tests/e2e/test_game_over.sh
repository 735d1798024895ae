#!/usr/bin/env bash
# A one-player game left alone: every arrow missed, the health runs out and
# the game-over screen shows the score; Enter and Esc together end the program.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
tecla Return
esperado=$(referencia abertura/game_over.bmp gameover 50 50 branco "Zorbo: 0")
visto=1
for _ in $(seq 120); do
  sleep 0.5
  if [ "$(diferencas "$(foto go)" "$esperado")" = 0 ]; then visto=0; break; fi
done
verificar "the game-over screen shows 'Zorbo: 0' within a minute" test "$visto" = 0
segurar Escape; segurar Return; sleep 0.4
soltar Return; soltar Escape
esperar_fim 10
verificar "Enter and Esc together close the screen and end the program (exit 0)" igual "$CODIGO" 0
terminar
