#!/usr/bin/env bash
# Measures the real game in Xvfb, from outside:
#   - start-up: wall time from the exec to the first title frame on screen
#     (median of several runs);
#   - one screen check as the tests make it: the reader called from the
#     shell, a shot of the title compared with its expected picture (median);
#   - the 250-frame stage transition as the player sees it: from the frame
#     that blanks the cover strip to the first frame of stage 2 that lights
#     player 1's score panel (250 frames of 16 ms = 4.000 s);
#   - peak resident memory through three two-player games played with F5
#     through both stages to the finish screen.
#   bench/medir_jogo.sh [PASTA_BUILD]
# Builds the game and the screen reader (Release) first. Exits 1 when a figure misses
# its goal. Wall-clock figures: run it on an otherwise idle machine.
set -uo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build-bench}"
DADOS="$RAIZ/data"
ARRANQUES=7
PARTIDAS=3

cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release > /dev/null || exit 1
cmake --build "$BUILD" -j2 --target ritmuro olho_tela > /dev/null || exit 1
JOGO="$BUILD/ritmuro"

# The driver of the running game: keys, the screen reader (which also takes
# the timings: olho_tela arranque / transicao) and waits for a state on
# screen; its scratch folder is this script's (removed at the end, the game
# and Xvfb ended with it).
source "$RAIZ/scripts/lib/comum.sh"
source "$RAIZ/scripts/lib/verificacoes.sh"
source "$RAIZ/scripts/lib/xvfb.sh"
source "$RAIZ/scripts/lib/jogo.sh"
jogo_preparar "$JOGO" "$DADOS" "$BUILD/tests/olho_tela"
TMP="$TMP_E2E"

# Xvfb with a black root window (-br): anything not black is the game's.
iniciar_xvfb 640x480x24 -br || exit 1

# Waits for a process that is not a child of this shell to end.
esperar_sumir() {  # esperar_sumir pid seconds
  for _ in $(seq $(( $2 * 10 ))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null
  return 1
}

# The reader is watching the screen once it sleeps between two looks: its
# only sleep is in its polling loops, after it has connected and looked once.
leitor_olhando() {  # leitor_olhando pid
  for _ in $(seq 1000); do
    case "$(cat "/proc/$1/wchan" 2> /dev/null)" in *nanosleep*) return 0 ;; esac
    kill -0 "$1" 2> /dev/null || return 1
    sleep 0.01
  done
  return 1
}

mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# --- start-up ---------------------------------------------------------------
: > "$TMP/arranques"
for _ in $(seq "$ARRANQUES"); do
  # The reader starts the game on a black screen: the last game's window gone.
  esperar 10 preto --tela-toda apagado 0 0 640 480 > /dev/null || { echo "the screen did not clear" >&2; exit 1; }
  read -r ms pid < <("$OLHO" arranque "$DADOS" "$JOGO") || { echo "start-up timing failed" >&2; exit 1; }
  echo "$ms" >> "$TMP/arranques"
  xdotool mousemove 320 240
  segurar Escape  # the title menu's Esc leaves the game: held until it has
  esperar_sumir "$pid" 5 || echo "the game did not leave on Esc; killed" >&2
  soltar Escape
done
ARRANQUE=$(mediana < "$TMP/arranques")
ARRANQUE_MAX=$(sort -n "$TMP/arranques" | tail -1)

# --- transitions and peak memory -------------------------------------------
(cd "$DADOS" && exec /usr/bin/time -f '%M' -o "$TMP/rss" "$JOGO") > "$TMP/jogo.log" 2>&1 &
JOGO_PID=$!
esperar_tela titulo "$(titulo_esperado 0)" 20 > /dev/null || { echo "the title did not show" >&2; exit 1; }
xdotool mousemove 320 240

# --- one screen check, as the tests make it: a shot of the title and its
# comparison with the expected picture, a call of the reader from the shell.
: > "$TMP/verificacoes"
for _ in $(seq 21); do
  t0=$(date +%s%N)
  esperar 0 titulo $(titulo_esperado 0) > /dev/null || echo "the title check failed" >&2
  echo $(( ($(date +%s%N) - t0) / 1000000 )) >> "$TMP/verificacoes"
done
VERIFICACAO=$(mediana < "$TMP/verificacoes")

# F5 is pressed once the reader watches; it ends each stage as soon as it shows.
transicao() {  # transicao FILE: the next transition, measured into FILE
  local leitor
  "$OLHO" transicao 15 >> "$1" &
  leitor=$!
  leitor_olhando "$leitor" || echo "the reader is not watching" >&2
  tecla F5
  wait "$leitor"
}

: > "$TMP/transicoes"
: > "$TMP/finais"
tecla Down  # two players; the menu reopens on the entry last chosen
esperar_tela titulo "$(titulo_esperado 1)" 10 > /dev/null || echo "entry 1 not selected" >&2
for _ in $(seq "$PARTIDAS"); do
  tecla Return
  esperar 10 fase1 fase 1 > /dev/null || echo "stage 1 not seen" >&2
  transicao "$TMP/transicoes" || echo "stage 1 -> 2 transition not seen" >&2
  transicao "$TMP/finais" || echo "stage 2 -> finish transition not seen" >&2
  tecla Return  # leaves the finish screen for the title menu
  esperar_tela titulo "$(titulo_esperado 1)" 10 > /dev/null || echo "the title did not come back" >&2
done
segurar Escape
esperar_sumir "$JOGO_PID" 10
soltar Escape
wait "$JOGO_PID" 2>/dev/null
JOGO_PID=""
parar_xvfb
RSS_KB=$(tail -1 "$TMP/rss")
TRANSICAO=$(mediana < "$TMP/transicoes")
FINAL=$(mediana < "$TMP/finais")

echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "start-up runs (ms): $(tr '\n' ' ' < "$TMP/arranques")"
echo "title checks (ms): $(tr '\n' ' ' < "$TMP/verificacoes")"
echo "transitions stage 1 -> 2 (ms): $(tr '\n' ' ' < "$TMP/transicoes")"
echo "transitions stage 2 -> finish screen (ms): $(tr '\n' ' ' < "$TMP/finais")"
awk -v a="$ARRANQUE" -v v="$VERIFICACAO" -v amax="$ARRANQUE_MAX" -v t="$TRANSICAO" -v f="$FINAL" -v rss="$RSS_KB" '
function linha(nome, valor, meta, passou) {
  printf "| %-44s | %-14s | %-26s | %-4s |\n", nome, valor, meta, passou ? "ok" : "MISS"
  if (!passou) falhas++
}
BEGIN {
  printf "| %-44s | %-14s | %-26s | %-4s |\n", "figure (real window, Xvfb)", "measured", "goal", ""
  printf "|----------------------------------------------|----------------|----------------------------|------|\n"
  linha("start-up, exec to first title frame (median)", sprintf("%.0f ms", a), "< 300 ms", a < 300)
  linha("start-up, slowest run", sprintf("%.0f ms", amax), "< 300 ms", amax < 300)
  linha("screen check: shot + title compared (median)", sprintf("%.0f ms", v), "< 50 ms", v < 50)
  linha("transition, strip black to stage 2 (median)", sprintf("%.0f ms", t), "4000 ms +-2% (3920-4080)", t >= 3920 && t <= 4080)
  linha("last transition, to the finish screen", sprintf("%.0f ms", f), "249 frames: 3984 ms +-2%", f >= 3904 && f <= 4064)
  linha("peak RSS, three two-player games", sprintf("%.1f MB", rss / 1024), "< 64 MB", rss / 1024 < 64)
  exit falhas > 0
}'
