#!/usr/bin/env bash
# The window's close button ends the program cleanly, with exit code 0 and
# within a couple of seconds, wherever the player is: the title menu, the
# instructions, a stage, the pause, a transition, the game-over and the finish
# screens. No window manager runs in Xvfb, so fechar_janela sends the window
# the same message a window manager sends on a click of its close button.
source "$(dirname "$0")/lib.sh"

# Built next to the screen reader; built here from its source otherwise.
FECHAR="$(dirname "$OLHO")/fechar_janela"
if [ ! -x "$FECHAR" ]; then
  FECHAR="$TMP_E2E/fechar_janela"
  c++ -O1 -o "$FECHAR" "$(dirname "$0")/fechar_janela.cpp" -lX11 || {
    falha "fechar_janela could be built"; terminar; }
fi

# Clicks the close button and checks how the program ended.
fechar_e_conferir() {  # fechar_e_conferir where
  verificar "$1: the close message reaches the window" "$FECHAR" ritmuro
  esperar_fim 3
  verificar "$1: the program ends within 3 s with exit code 0" igual "$CODIGO" 0
  if [ -n "$JOGO_PID" ]; then kill -9 "$JOGO_PID" 2>/dev/null; wait "$JOGO_PID" 2>/dev/null; JOGO_PID=""; fi
}

novo_jogo() {
  iniciar_jogo
  esperar_janela || { falha "the game opens a window"; terminar; }
}

iniciar_x

novo_jogo
verificar "the title menu is on screen" esperar_tela titulo "$(titulo_esperado 0)" 10
fechar_e_conferir "title menu"

novo_jogo
tecla Down; tecla Down; tecla Return
verificar "the instructions are on screen" esperar 10 instrucoes regiao abertura/back_help.bmp 0 0 640 190
fechar_e_conferir "instructions"

novo_jogo
tecla Return
verificar "a one-player stage is under way" esperar 5 fase1 fase 1
fechar_e_conferir "stage"

novo_jogo
tecla Return
esperar 5 fase1 fase 1
tecla p
verificar "the pause holds stage 1 still" esperar 10 pausa --parada fase 1
fechar_e_conferir "pause"

novo_jogo
tecla Return
esperar 5 fase1 fase 1
tecla F5
verificar "the transition is under way (cover strip black)" esperar 3 transicao apagado 0 0 640 29
fechar_e_conferir "transition"

novo_jogo
tecla Return
# Nobody plays: the walls and the missed arrows put player 1 out.
verificar "the game-over screen shows within a minute" \
  esperar 60 game_over regiao abertura/game_over.bmp 0 100 640 380
fechar_e_conferir "game-over screen"

novo_jogo
tecla Return
esperar 5 fase1 fase 1
tecla F5
esperar 3 transicao apagado 0 0 640 29
esperar 8 fase2 aceso 0 0 640 29
tecla F5
verificar "the finish screen shows after both stages" \
  esperar 10 final regiao abertura/finish_zorbo.bmp 0 100 640 380
fechar_e_conferir "finish screen"

terminar
