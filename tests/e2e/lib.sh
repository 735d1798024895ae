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

# Number of pixels that differ between two pictures of the same size.
diferencas() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# A picture of the data folder with magenta made transparent, for compositing.
sprite() { echo "( $DADOS/$1 -transparent #ff00ff )"; }

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
igual() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'"; return 1; }; }

terminar() {
  echo "$((VERIFICACOES - FALHAS)) passed, $FALHAS failed"
  [ "$FALHAS" -eq 0 ]
  exit $?
}

# Brightest channel value (0-255) in the rectangle W x H at (X, Y) of a shot.
maximo() {  # maximo shot X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format '%[fx:int(255*maxima)]' info:
}

# Pixels that differ between the rectangle of a shot and the same-sized
# rectangle of a picture: diferencas_regiao shot X Y picture PX PY W H
diferencas_regiao() {
  convert "$1" -crop "${7}x${8}+${2}+${3}" +repage "$TMP_E2E/r1.png"
  convert "$4" -crop "${7}x${8}+${5}+${6}" +repage "$TMP_E2E/r2.png"
  diferencas "$TMP_E2E/r1.png" "$TMP_E2E/r2.png"
}

# True when sprite $2 (magenta transparent) is drawn exactly at (X, Y) of shot $1:
# compositing it once more over the shot changes nothing.
sprite_em() {  # sprite_em shot picture X Y
  local w h
  w=$(identify -format %w "$DADOS/$2"); h=$(identify -format %h "$DADOS/$2")
  convert "$1" -crop "${w}x${h}+${3}+${4}" +repage "$TMP_E2E/s1.png"
  convert "$TMP_E2E/s1.png" \( "$DADOS/$2" -transparent '#ff00ff' \) -composite "$TMP_E2E/s2.png"
  [ "$(diferencas "$TMP_E2E/s1.png" "$TMP_E2E/s2.png")" = 0 ]
}

# The picture $1 of the data folder with texts printed in the game's font,
# written to $TMP_E2E/$2.bmp: referencia picture name X Y branco|preto TEXT...
referencia() {
  local entrada="$DADOS/$1" nome="$2"; shift 2
  "$REFERENCIA" "$entrada" "$TMP_E2E/$nome.bmp" "$@" || return 1
  echo "$TMP_E2E/$nome.bmp"
}

# Polls screenshots for up to $1 seconds until the cover strip (top 29 rows)
# is lit (aceso) or all black (apagado).
esperar_cobertura() {  # esperar_cobertura aceso|apagado seconds
  local limite=$(( $2 * 5 )) m
  for _ in $(seq "$limite"); do
    import -window root "$TMP_E2E/poll.png"
    m=$(maximo "$TMP_E2E/poll.png" 0 0 640 29)
    if [ "$1" = aceso ] && [ "$m" -gt 0 ]; then return 0; fi
    if [ "$1" = apagado ] && [ "$m" = 0 ]; then return 0; fi
    sleep 0.2
  done
  return 1
}

tela_igual() {  # tela_igual shot expected
  local d; d=$(diferencas "$1" "$2")
  [ "$d" = 0 ] || { echo "  $d pixels differ ($1 vs $2)"; return 1; }
}
vivo() { kill -0 "$JOGO_PID" 2>/dev/null; }
zero() { [ "$1" = 0 ] || { echo "  got $1"; return 1; }; }
positivo() { [ "$1" -gt 0 ] || { echo "  got $1"; return 1; }; }

# The title as the menu draws it with entry $1 selected.
titulo_esperado() {
  local y=$((300 + 45 * $1))
  convert "$DADOS/abertura/back.bmp" \
    $(sprite abertura/caixa$1.bmp) -geometry +259+300 -composite \
    $(sprite abertura/clave.bmp) -geometry +220+$y -composite \
    "$TMP_E2E/esperado_titulo_$1.png"
  echo "$TMP_E2E/esperado_titulo_$1.png"
}

# Number of pure-black pixels in the rectangle W x H at (X, Y) of a shot.
contar_preto() {  # contar_preto shot X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fill white +opaque "rgb(0,0,0)" \
    -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
