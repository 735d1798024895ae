#!/usr/bin/env bash
# Start-up failures end with a message and exit code -1, never a crash.
source "$(dirname "$0")/lib.sh"

# No display at all: the library cannot set the graphics mode.
(cd "$DADOS" && env -u DISPLAY "$JOGO") > "$TMP_E2E/sem_x.log" 2>&1
CODIGO=$?
verificar "without a display the exit code is -1 (255)" igual "$CODIGO" 255
verificar "without a display a start-up message is printed" \
  grep -q "Erro ao inicializar" "$TMP_E2E/sem_x.log"

# A missing picture is named, with the working directory, before the menu opens.
iniciar_x
copia="$TMP_E2E/dados"
cp -r "$DADOS" "$copia"
rm "$copia/abertura/clave.bmp"
iniciar_jogo "$copia"
# The library shows the message in a box of its own; the player presses OK.
caixa=""
for _ in $(seq 100); do
  caixa=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | head -1)
  [ -n "$caixa" ] && break
  sleep 0.1
done
verificar "the message is shown in a box on screen" test -n "$caixa"
# Shot for the record once the box stands drawn; the pointer is moved onto
# it, which gives it the keyboard (no window manager runs), and --sync waits
# until it is there.
esperar 10 mensagem --parada --tela-toda desenhada > /dev/null
xdotool mousemove --sync --window "$caixa" 20 20
tecla Return
esperar_fim 20
verificar "a missing picture ends the program with exit code -1" igual "$CODIGO" 255
verificar "the message names the file and the folder" grep -q \
  "Nao foi possivel carregar ./abertura/clave.bmp (pasta atual: $copia)" "$TMP_E2E/jogo.log"

terminar
