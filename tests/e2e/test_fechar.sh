#!/usr/bin/env bash
# The window's close button ends the program cleanly, with exit code 0 and
# within a couple of seconds, wherever the player is: the title menu, the
# instructions, a stage, the pause, a transition, the game-over and the finish
# screens. No window manager runs in Xvfb, so fechar_janela sends the window
# the same message a window manager sends on a click of its close button.
source "$(dirname "$0")/lib.sh"

# Built next to the reference tool; built here from its source otherwise.
FECHAR="$(dirname "${REFERENCIA:-/nao-ha}")/fechar_janela"
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

# True when the rectangle of the shot matches the same rectangle of a picture
# of the data folder.
mostra() {  # mostra shot picture X Y W H
  local d; d=$(diferencas_regiao "$1" "$3" "$4" "$DADOS/$2" "$3" "$4" "$5" "$6")
  [ "$d" = 0 ] || { echo "  $d pixels differ from $2"; return 1; }
}

# Polls for up to $1 seconds until the shot shows the picture's rectangle.
esperar_imagem() {  # esperar_imagem seconds picture X Y W H
  local limite=$(( $1 * 2 )); shift
  for _ in $(seq "$limite"); do
    mostra "$(foto espera)" "$@" > /dev/null && return 0
    sleep 0.5
  done
  return 1
}

iniciar_x

novo_jogo
verificar "the title menu is on screen" tela_igual "$(foto titulo)" "$(titulo_esperado 0)"
fechar_e_conferir "title menu"

novo_jogo
tecla Down; tecla Down; tecla Return
verificar "the instructions are on screen" mostra "$(foto instrucoes)" abertura/back_help.bmp 0 0 640 190
fechar_e_conferir "instructions"

novo_jogo
tecla Return
verificar "a one-player stage is under way" esperar_cobertura aceso 5
fechar_e_conferir "stage"

novo_jogo
tecla Return
esperar_cobertura aceso 5
tecla p
a=$(foto pausa_a); sleep 0.6; b=$(foto pausa_b)
verificar "the pause holds the picture still" tela_igual "$a" "$b"
fechar_e_conferir "pause"

novo_jogo
tecla Return
esperar_cobertura aceso 5
tecla F5
verificar "the transition is under way (cover strip black)" esperar_cobertura apagado 3
fechar_e_conferir "transition"

novo_jogo
tecla Return
# Nobody plays: the walls and the missed arrows put player 1 out.
verificar "the game-over screen shows within a minute" \
  esperar_imagem 60 abertura/game_over.bmp 0 100 640 380
fechar_e_conferir "game-over screen"

novo_jogo
tecla Return
esperar_cobertura aceso 5
tecla F5
esperar_cobertura apagado 3
esperar_cobertura aceso 8
tecla F5
verificar "the finish screen shows after both stages" \
  esperar_imagem 10 abertura/finish_zorbo.bmp 0 100 640 380
fechar_e_conferir "finish screen"

terminar
