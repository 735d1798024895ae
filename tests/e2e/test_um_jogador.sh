#!/usr/bin/env bash
# A one-player game from the title menu through stage 1, the transition,
# stage 2 and the finish screen, then back to the title and out (the scene
# is telas.sh's, shared with the wine test).
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
verificar "the title is on screen" esperar_tela titulo0 "$(titulo_esperado 0)" 10
cena_um_jogador
tecla Escape
esperar_fim 10
verificar "Esc on the title ends the program with exit code 0" igual "$CODIGO" 0
terminar
