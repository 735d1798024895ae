#!/usr/bin/env bash
# Starts the real game hundreds of times on our Xvfb and counts the starts in
# which the library could not start (allegro_init failed), the way the tests
# meet the X server:
#   fresh    a new Xvfb for each start, polled with xdotool while the game
#            starts, as the end-to-end tests wait for its window
#   side     four games at a time on one Xvfb, as test_falhas.sh runs them
#   passing  one game at a time on one Xvfb beside a client that connects and
#            leaves again and again
# Each game starts in a folder without pictures, so it ends right after the
# library's start-up and the picture check (the message box goes to a
# stand-in that answers OK).
#   bench/arranques_x.sh [STARTS_PER_WAY] [--load]   (default 200; --load: beside stress-ng --cpu 2)
# Exits 1 when any start failed.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/xvfb.sh"

USO="usage: $(basename "$0") [STARTS_PER_WAY] [--load]"
STARTS=200
CARGA=0
for arg in "$@"; do
  case "$arg" in
    --load) CARGA=1 ;;
    *) [[ "$arg" =~ ^[1-9][0-9]*$ ]] || { echo "$(basename "$0"): bad argument '$arg'" >&2; echo "$USO" >&2; exit 2; }
       STARTS=$arg ;;
  esac
done

JOGO="$RITMURO_RAIZ/build/ritmuro"
[ -x "$JOGO" ] || abortar "$JOGO is missing (cmake -S . -B build && cmake --build build -j2)"
TMP_ARRANQUES="$(mktemp -d /tmp/ritmuro-arranques.XXXXXX)"
CARGA_PID=""
terminar_tudo() {
  [ -z "$CARGA_PID" ] || kill -TERM -- "-$CARGA_PID" 2> /dev/null
  parar_xvfb
  rm -rf "$TMP_ARRANQUES"
}
trap terminar_tudo EXIT
mkdir -p "$TMP_ARRANQUES/bin" "$TMP_ARRANQUES/vazia"
printf '#!/bin/sh\nexit 101\n' > "$TMP_ARRANQUES/bin/xmessage"
chmod +x "$TMP_ARRANQUES/bin/xmessage"

# One start; prints started, library or other (with the game's first line).
um_arranque() {  # um_arranque NAME [poll]
  local erros="$TMP_ARRANQUES/$1.erros" pid
  (cd "$TMP_ARRANQUES/vazia" && PATH="$TMP_ARRANQUES/bin:$PATH" exec timeout -k 2 20 "$JOGO") \
    > /dev/null 2> "$erros" &
  pid=$!
  if [ "${2:-}" = poll ]; then
    while kill -0 "$pid" 2> /dev/null; do
      xdotool search --name '^ritmuro$' > /dev/null 2>&1
      xwininfo -root -tree > /dev/null 2>&1
      sleep 0.1
    done
  fi
  wait "$pid"
  if grep -q "Nao foi possivel carregar" "$erros"; then echo started
  elif grep -q "Erro ao inicializar a biblioteca" "$erros"; then echo library
  else echo "other: $(head -1 "$erros")"
  fi
}

de_cada_vez() {
  local _
  for _ in $(seq "$STARTS"); do
    iniciar_xvfb 640x480x24 || { echo "other: no Xvfb"; continue; }
    um_arranque fresh poll
    parar_xvfb
  done
}

lado_a_lado() {
  local k
  iniciar_xvfb 640x480x24 || abortar "no Xvfb could be started"
  for k in 1 2 3 4; do
    (for _ in $(seq $((STARTS / 4))); do um_arranque "side$k"; done) &
  done
  wait $(jobs -p | grep -v "^$XVFB_PID$")
  parar_xvfb
}

de_passagem() {
  local cliente
  iniciar_xvfb 640x480x24 || abortar "no Xvfb could be started"
  (while kill -0 "$XVFB_PID" 2> /dev/null; do xwininfo -root > /dev/null 2>&1; done) &
  cliente=$!
  for _ in $(seq "$STARTS"); do um_arranque passing; done
  parar_xvfb
  wait "$cliente"
}

contar() {  # contar WAY SECONDS < outcomes
  awk -v modo="$1" -v s="$2" '
    { n++ } /^started$/ { ok++ } /^library$/ { lib++ } /^other/ { outro++; if (!exemplo) exemplo = $0 }
    END { printf "%-8s %7d %8d %16d %6d %8d  %s\n", modo, n, ok, lib, outro, s, exemplo
          exit (lib + outro > 0) }'
}

if [ "$CARGA" = 1 ]; then
  garantir_comando stress-ng stress-ng || exit 1
  setsid stress-ng --cpu 2 --timeout 2h > /dev/null 2>&1 &
  CARGA_PID=$!
fi
echo "$(basename "$0"): $STARTS starts each way$([ "$CARGA" = 1 ] && echo ", beside stress-ng --cpu 2")"
printf '%-8s %7s %8s %16s %6s %8s\n' way starts started "library failed" other seconds
rc=0
for modo in fresh side passing; do
  inicio=$SECONDS
  case "$modo" in
    fresh) de_cada_vez ;;
    side) lado_a_lado ;;
    passing) de_passagem ;;
  esac > "$TMP_ARRANQUES/$modo.txt"
  contar "$modo" $((SECONDS - inicio)) < "$TMP_ARRANQUES/$modo.txt" || rc=1
done
exit "$rc"
