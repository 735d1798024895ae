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
JOGO_PID=""
JOGO_PASTA=""
VERIFICACOES_ARQUIVO="$TMP_E2E/verificacoes.txt"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/verificacoes.sh"
source "$RITMURO_RAIZ/scripts/lib/xvfb.sh"

encerrar() {
  local codigo=$?
  [ -n "$JOGO_PID" ] && kill -9 "$JOGO_PID" 2>/dev/null
  parar_xvfb
  wait 2>/dev/null
  if houve_falha || [ "$codigo" != 0 ]; then echo "screenshots kept in $TMP_E2E"; else rm -rf "$TMP_E2E"; fi
}
trap encerrar EXIT

# Xvfb of our own, 640 x 480 like the game's screen.
iniciar_x() {
  iniciar_xvfb 640x480x24 || abortar "no Xvfb could be started"
}

# Starts the game in folder $1 (default: the data folder), output to jogo.log.
iniciar_jogo() {
  JOGO_PASTA="${1:-$DADOS}"
  (cd "$JOGO_PASTA" && exec "$JOGO") > "$TMP_E2E/jogo.log" 2>&1 &
  JOGO_PID=$!
}

# Waits until the game's window is mapped and its first frame drawn, with
# the pointer over it so that it has the keyboard focus (no window manager
# runs). Fails at once when the game ends first.
esperar_janela() {
  local limite=$((SECONDS + 20))
  # The library names its window after the program and draws into a
  # 640 x 480 child of its own.
  until [ -n "$(xdotool search --name '^ritmuro$' 2>/dev/null)" ] &&
        xwininfo -root -tree | grep -q '640x480+0+0'; do
    if ! vivo || [ "$SECONDS" -ge "$limite" ]; then
      echo "the game's window never appeared" >&2
      cat "$TMP_E2E/jogo.log" >&2
      return 1
    fi
    sleep 0.1
  done
  xdotool mousemove 320 240
  esperar 10 primeiro_quadro tela_desenhada
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

vivo() { kill -0 "$JOGO_PID" 2>/dev/null; }

# Pictures, comparisons, waits for a state on screen and the scenes shared
# with the wine tests.
source "$(dirname "${BASH_SOURCE[0]}")/telas.sh"
