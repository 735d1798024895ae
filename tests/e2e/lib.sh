# Shared by the end-to-end tests: the real game in its own Xvfb, real key
# events from xdotool, screenshots with import, exit codes checked.
# A test script sources this file with the game binary and data folder as $1, $2.
# A binary given by bare name (the installed game, "ritmuro") is looked up on
# PATH when started; the data folder need not exist yet (a package may put it there).

set -uo pipefail

case "$1" in
  */*) JOGO="$(readlink -m "$1")" ;;
  *) JOGO="$1" ;;
esac
DADOS="$(readlink -m "$2")"
REFERENCIA="${3:-}"
TMP_E2E="$(mktemp -d /tmp/ritmuro-e2e-XXXXXX)"
XVFB_PID=""
JOGO_PID=""
FALHAS=0
VERIFICACOES=0

encerrar() {
  [ -n "$JOGO_PID" ] && kill -9 "$JOGO_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  if [ "$FALHAS" -eq 0 ]; then rm -rf "$TMP_E2E"; else echo "screenshots kept in $TMP_E2E"; fi
}
trap encerrar EXIT

log() { echo "[$(date +%T.%3N)] $*"; }

# Starts Xvfb on a free display, 640 x 480 like the game's screen.
iniciar_x() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp > "$TMP_E2E/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo > /dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  echo "no Xvfb display could be started" >&2
  exit 1
}

# Starts the game in folder $1 (default: the data folder), output to jogo.log.
iniciar_jogo() {
  local pasta="${1:-$DADOS}"
  (cd "$pasta" && exec "$JOGO") > "$TMP_E2E/jogo.log" 2>&1 &
  JOGO_PID=$!
}

# Waits until the game's window is mapped, then puts the pointer over it so
# that it has the keyboard focus (no window manager runs).
esperar_janela() {
  local id=""
  for _ in $(seq 100); do
    # The library names its window after the program and draws into a
    # 640 x 480 child of its own.
    id=$(xdotool search --name '^ritmuro$' 2>/dev/null | head -1)
    if [ -n "$id" ] && xwininfo -root -tree | grep -q '640x480+0+0'; then
      xdotool mousemove 320 240
      sleep 0.5
      return 0
    fi
    sleep 0.1
  done
  echo "the game's window never appeared" >&2
  cat "$TMP_E2E/jogo.log" >&2
  return 1
}

# Holds a key for a moment: short taps can fall between two polls of key[].
tecla() {
  xdotool keydown "$1"; sleep "${2:-0.15}"; xdotool keyup "$1"; sleep 0.15
}
segurar() { xdotool keydown "$1"; }
soltar() { xdotool keyup "$1"; }

# Screenshot of the whole 640 x 480 screen into $TMP_E2E/$1.png.
foto() {
  import -window root "$TMP_E2E/$1.png"
  echo "$TMP_E2E/$1.png"
}

# Colour of one pixel of a screenshot, as "r,g,b".
pixel() {
  convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# Waits up to $1 seconds for the game to end; sets CODIGO to its exit code
# (or 999 when it did not end).
esperar_fim() {
  local limite=$(( ${1:-10} * 10 ))
  for _ in $(seq "$limite"); do
    if ! kill -0 "$JOGO_PID" 2>/dev/null; then
      wait "$JOGO_PID"; CODIGO=$?; JOGO_PID=""; return 0
    fi
    sleep 0.1
  done
  CODIGO=999
}

ok() {
  VERIFICACOES=$((VERIFICACOES + 1))
  log "ok: $1"
}
falha() {
  VERIFICACOES=$((VERIFICACOES + 1))
  FALHAS=$((FALHAS + 1))
  log "FAIL: $1"
}
verificar() {  # verificar "description" command...
  local descricao="$1"; shift
  if "$@"; then ok "$descricao"; else falha "$descricao"; fi
}

terminar() {
  echo "$((VERIFICACOES - FALHAS)) passed, $FALHAS failed"
  [ "$FALHAS" -eq 0 ]
  exit $?
}

vivo() { kill -0 "$JOGO_PID" 2>/dev/null; }

# Pictures, comparisons, waits for a state on screen and the scenes shared
# with the wine tests.
source "$(dirname "${BASH_SOURCE[0]}")/telas.sh"
