#!/usr/bin/env bash
# Measures the real game in Xvfb, from outside:
#   - start-up: wall time from the exec to the first title frame on screen
#     (median of several runs);
#   - the 250-frame stage transition as the player sees it: from the frame
#     that blanks the cover strip to the first frame of stage 2 that lights
#     player 1's score panel (250 frames of 16 ms = 4.000 s);
#   - peak resident memory through three two-player games played with F5
#     through both stages to the finish screen.
#   bench/medir_jogo.sh [PASTA_BUILD]
# Builds the game and the probe (Release) first. Exits 1 when a figure misses
# its goal. Wall-clock figures: run it on an otherwise idle machine.
set -uo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build-bench}"
DADOS="$RAIZ/data"
ARRANQUES=7
PARTIDAS=3
TMP="$(mktemp -d /tmp/ritmuro-medir-XXXXXX)"
XVFB_PID=""
JOGO_PID=""

encerrar() {
  [ -n "$JOGO_PID" ] && kill -9 "$JOGO_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$TMP"
}
trap encerrar EXIT

cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DRITMURO_TESTS=OFF > /dev/null || exit 1
cmake --build "$BUILD" -j2 --target ritmuro sonda_tela > /dev/null || exit 1
JOGO="$BUILD/ritmuro"
SONDA="$BUILD/bench/sonda_tela"

# Xvfb with a black root window (-br): anything not black is the game's.
for n in $(seq 150 199); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 640x480x24 -br -nolisten tcp > "$TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo > /dev/null 2>&1 && break
  kill "$XVFB_PID" 2>/dev/null; XVFB_PID=""
done
[ -n "$XVFB_PID" ] || { echo "no Xvfb display could be started" >&2; exit 1; }

tecla() { xdotool keydown "$1"; sleep "${2:-0.15}"; xdotool keyup "$1"; sleep 0.15; }

# Waits for a process that is not a child of this shell to end.
esperar_sumir() {  # esperar_sumir pid seconds
  for _ in $(seq $(( $2 * 10 ))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null
  return 1
}

mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# --- start-up ---------------------------------------------------------------
: > "$TMP/arranques"
for _ in $(seq "$ARRANQUES"); do
  read -r ms pid < <("$SONDA" arranque "$DADOS" "$JOGO") || { echo "start-up probe failed" >&2; exit 1; }
  echo "$ms" >> "$TMP/arranques"
  sleep 0.5
  xdotool mousemove 320 240; sleep 0.3
  tecla Escape  # the title menu's Esc leaves the game
  esperar_sumir "$pid" 5 || echo "the game did not leave on Esc; killed" >&2
done
ARRANQUE=$(mediana < "$TMP/arranques")
ARRANQUE_MAX=$(sort -n "$TMP/arranques" | tail -1)

# --- transitions and peak memory -------------------------------------------
(cd "$DADOS" && exec /usr/bin/time -f '%M' -o "$TMP/rss" "$JOGO") > "$TMP/jogo.log" 2>&1 &
JOGO_PID=$!
for _ in $(seq 100); do
  xdotool search --name '^ritmuro$' > /dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
xdotool mousemove 320 240; sleep 0.3

: > "$TMP/transicoes"
: > "$TMP/finais"
tecla Down  # two players; the menu reopens on the entry last chosen
for _ in $(seq "$PARTIDAS"); do
  tecla Return
  sleep 1
  "$SONDA" transicao 15 >> "$TMP/transicoes" &
  sonda=$!
  sleep 0.3
  tecla F5
  wait "$sonda" || echo "stage 1 -> 2 transition not seen" >&2
  sleep 1
  "$SONDA" transicao 15 >> "$TMP/finais" &
  sonda=$!
  sleep 0.3
  tecla F5
  wait "$sonda" || echo "stage 2 -> finish transition not seen" >&2
  sleep 0.5
  tecla Return  # leaves the finish screen for the title menu
  sleep 0.5
done
tecla Escape
esperar_sumir "$JOGO_PID" 10
wait "$JOGO_PID" 2>/dev/null
JOGO_PID=""
RSS_KB=$(tail -1 "$TMP/rss")
TRANSICAO=$(mediana < "$TMP/transicoes")
FINAL=$(mediana < "$TMP/finais")

echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "start-up runs (ms): $(tr '\n' ' ' < "$TMP/arranques")"
echo "transitions stage 1 -> 2 (ms): $(tr '\n' ' ' < "$TMP/transicoes")"
echo "transitions stage 2 -> finish screen (ms): $(tr '\n' ' ' < "$TMP/finais")"
awk -v a="$ARRANQUE" -v amax="$ARRANQUE_MAX" -v t="$TRANSICAO" -v f="$FINAL" -v rss="$RSS_KB" '
function linha(nome, valor, meta, passou) {
  printf "| %-44s | %-14s | %-26s | %-4s |\n", nome, valor, meta, passou ? "ok" : "MISS"
  if (!passou) falhas++
}
BEGIN {
  printf "| %-44s | %-14s | %-26s | %-4s |\n", "figure (real window, Xvfb)", "measured", "goal", ""
  printf "|----------------------------------------------|----------------|----------------------------|------|\n"
  linha("start-up, exec to first title frame (median)", sprintf("%.0f ms", a), "< 300 ms", a < 300)
  linha("start-up, slowest run", sprintf("%.0f ms", amax), "< 300 ms", amax < 300)
  linha("transition, strip black to stage 2 (median)", sprintf("%.0f ms", t), "4000 ms +-2% (3920-4080)", t >= 3920 && t <= 4080)
  linha("last transition, to the finish screen", sprintf("%.0f ms", f), "249 frames: 3984 ms +-2%", f >= 3904 && f <= 4064)
  linha("peak RSS, three two-player games", sprintf("%.1f MB", rss / 1024), "< 64 MB", rss / 1024 < 64)
  exit falhas > 0
}'
