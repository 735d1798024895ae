# shellcheck shell=bash
# Shell functions for the end-to-end tests of the Windows game under wine
# (sourced by the test scripts). One test at a time: all runs share one wine
# prefix, prepared beforehand by scripts/windows/wine-setup.sh.
#
# A test script typically does:
#   source tests/e2e_wine/lib_wine.sh
#   um_teste() {
#     wine_iniciar_xvfb
#     wine_iniciar_jogo "$EXE" "$DADOS"
#     wine_esperar_janela || return     # 124 (hung start-up) is tried again
#     wine_segurar_tecla Return
#     wine_capturar "$WINE_TMP/menu.png"
#     [ "$(wine_pixel "$WINE_TMP/menu.png" 320 240)" = "0,0,0" ] || return 1
#     wine_segurar_tecla Escape
#     wine_esperar_saida 20 || return
#     [ "$WINE_CODIGO" = 0 ]
#   }
#   wine_tentar 120 3 um_teste
#
# Every run is limited in time; a run that hangs is ended and tried again,
# and each such retry is printed (never hidden) together with a summary line.

WINE_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$WINE_LIB_DIR/../../scripts/windows/comum.sh"
source "$WINE_LIB_DIR/../../scripts/windows/ambiente-wine.sh"

# Where the screenshots and the game's console output of the current run go.
WINE_TMP="${WINE_TMP:-$(mktemp -d /tmp/ritmuro-wine.XXXXXX)}"
WINE_XVFB_PID=""
WINE_JOGO_PID=""
WINE_JOGO_EXE=""
WINE_CODIGO=""
WINE_SAIDA="$WINE_TMP/saida.txt"

wine_log() { echo "wine[$(date +%H:%M:%S)]: $*"; }

# The game for Windows that this machine's prefix runs: the 32-bit build
# where 32-bit code executes, else the 64-bit one (see ambiente-wine.sh).
wine_exe_do_jogo() {
  if [ "$RITMURO_WINE_ARQ" = i686 ]; then
    echo "$RITMURO_RAIZ/build-win32/ritmuro.exe"
  else
    echo "$RITMURO_RAIZ/build-win64/ritmuro.exe"
  fi
}

# Plain Xvfb (no window manager) on a display number it picks itself as free.
wine_iniciar_xvfb() {
  local arquivo="$WINE_TMP/display"
  rm -f "$arquivo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$arquivo" 2> "$WINE_TMP/xvfb.log" &
  WINE_XVFB_PID=$!
  echo "$WINE_XVFB_PID" > "$WINE_TMP/pid.xvfb"
  local _
  for _ in $(seq 1 100); do
    [ -s "$arquivo" ] && break
    kill -0 "$WINE_XVFB_PID" 2> /dev/null || { cat "$WINE_TMP/xvfb.log" >&2; return 1; }
    sleep 0.1
  done
  [ -s "$arquivo" ] || { wine_log "Xvfb não anunciou o display"; return 1; }
  DISPLAY=":$(head -1 "$arquivo")"
  export DISPLAY
  wine_log "Xvfb em $DISPLAY"
}

# Starts EXE under wine in the background with DIR (the picture folders) as
# its working directory; its console output goes to WINE_SAIDA.
wine_iniciar_jogo() {
  local exe dir
  exe="$(realpath "$1")"
  dir="$2"
  [ -f "$exe" ] || { wine_log "não existe $exe"; return 1; }
  WINE_JOGO_EXE="$exe"
  WINE_CODIGO=""
  (cd "$dir" && exec "$WINE" "$exe") > "$WINE_SAIDA" 2>&1 &
  WINE_JOGO_PID=$!
  echo "$WINE_JOGO_PID" > "$WINE_TMP/pid.jogo"
  WINE_INICIO=$SECONDS
  wine_log "iniciado $(basename "$exe") em $dir"
}

# The X window wine made for the game (class = the exe's file name), once the
# game has set its 640x480 mode at 0,0 of the virtual desktop.
wine_janela_do_jogo() {
  local janela
  for janela in $(xdotool search --classname "$(basename "$WINE_JOGO_EXE")" 2> /dev/null); do
    if xwininfo -id "$janela" 2> /dev/null | grep -q 'Width: 640' &&
       xwininfo -id "$janela" 2> /dev/null | grep -q 'Height: 480'; then
      echo "$janela"
      return 0
    fi
  done
  return 1
}

# Waits (up to SEGUNDOS, default 30) for the game's 640x480 window, then
# focuses wine's desktop window: wine activates its windows only on a real
# focus event there, and focusing before the game's window exists leaves the
# game black and deaf. Returns 1 if the game exits first, 124 (hung) if the
# time runs out.
wine_esperar_janela() {
  local limite=$((SECONDS + ${1:-30})) desktop=""
  until wine_janela_do_jogo > /dev/null; do
    if ! kill -0 "$WINE_JOGO_PID" 2> /dev/null; then
      wine_log "o jogo terminou antes de abrir a janela; saída:"
      cat "$WINE_SAIDA"
      return 1
    fi
    [ "$SECONDS" -lt "$limite" ] || { wine_log "a janela do jogo não apareceu em ${1:-30}s"; return 124; }
    sleep 0.2
  done
  desktop="$(xdotool search --name 'Wine desktop' 2> /dev/null | head -1)"
  [ -n "$desktop" ] || { wine_log "sem a janela 'Wine desktop'"; return 1; }
  xdotool windowfocus --sync "$desktop"
  wine_log "janela pronta $((SECONDS - WINE_INICIO))s após o início"
}

# Holds each key given (xdotool names: Return, Escape, Up, KP_5, a ...) for
# about 0.3 s, one after the other: a short tap can fall between two polls
# of the game's keyboard state.
wine_segurar_tecla() {
  local tecla
  for tecla in "$@"; do
    xdotool keydown "$tecla"
    sleep "${WINE_TEMPO_TECLA:-0.3}"
    xdotool keyup "$tecla"
    sleep 0.1
  done
}

wine_apertar_tecla() { xdotool keydown "$1"; }
wine_soltar_tecla() { xdotool keyup "$1"; }

# The game's 640x480 screen (at 0,0 of the virtual desktop) into a PNG file.
wine_capturar() {
  import -window root -crop 640x480+0+0 +repage "$1"
}

# Colour of pixel X,Y of a picture, as "r,g,b" in 0..255.
wine_pixel() {
  convert "$1" -crop "1x1+$2+$3" +repage \
    -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:
}

# Waits up to SEGUNDOS (default 30) for the game to exit and puts its exit
# code in WINE_CODIGO. Returns 124 (hung) if it is still running then.
wine_esperar_saida() {
  local limite=$((SECONDS + ${1:-30}))
  while kill -0 "$WINE_JOGO_PID" 2> /dev/null; do
    [ "$SECONDS" -lt "$limite" ] || { wine_log "o jogo não terminou em ${1:-30}s"; return 124; }
    sleep 0.2
  done
  WINE_CODIGO=0
  wait "$WINE_JOGO_PID" || WINE_CODIGO=$?
  WINE_JOGO_PID=""
  wine_log "o jogo terminou com código $WINE_CODIGO"
}

# Ends what a run left: the game and every wine process of our prefix, then
# the Xvfb it started. Safe to call more than once.
wine_limpar() {
  if [ -n "$WINE_JOGO_PID" ] && kill -0 "$WINE_JOGO_PID" 2> /dev/null; then
    kill "$WINE_JOGO_PID" 2> /dev/null || true
  fi
  WINE_JOGO_PID=""
  wineserver -k 2> /dev/null || true
  timeout 30 wineserver -w 2> /dev/null || wine_log "wineserver -w não terminou em 30s"
  if [ -n "$WINE_XVFB_PID" ]; then
    kill "$WINE_XVFB_PID" 2> /dev/null || true
    wait "$WINE_XVFB_PID" 2> /dev/null || true
  fi
  WINE_XVFB_PID=""
}

# Runs FUNÇÃO [ARGS] (one whole run of the game: Xvfb, game, keys, checks) up
# to TENTATIVAS times, each limited to SEGUNDOS. Only a run that hangs (runs
# out of time, or returns 124 for a start-up that never came) is tried again,
# and each retry is printed; any other failure ends at once with its code.
# Prints a summary line with the number of runs and of hangs. WINE_TMP (the
# screenshots, the game's output) is removed after a passing run and kept
# after a failing one.
wine_tentar() {
  local segundos=$1 tentativas=$2 rc=0 n travadas=0
  shift 2
  mkdir -p "$WINE_TMP"
  for n in $(seq 1 "$tentativas"); do
    wine_log "execução $n de $tentativas: $*"
    rc=0
    _wine_uma_execucao "$segundos" "$@" || rc=$?
    if [ "$rc" != 124 ]; then
      wine_log "resumo: $n execução(ões), $travadas travada(s), resultado $([ "$rc" = 0 ] && echo ok || echo "FALHOU ($rc), arquivos em $WINE_TMP") — $*"
      [ "$rc" != 0 ] || rm -rf "$WINE_TMP"
      return "$rc"
    fi
    travadas=$((travadas + 1))
    wine_log "AVISO: a execução $n de $tentativas TRAVOU ou esgotou ${segundos}s: $*"
  done
  wine_log "resumo: $tentativas execução(ões), $travadas travada(s), FALHOU: todas travaram, arquivos em $WINE_TMP — $*"
  return 124
}

# One run in a subshell of its own process group, so that when it runs out
# of time everything it started (Xvfb, wine, xdotool) is ended through that
# group's id, then the wine processes of our prefix through wineserver.
_wine_uma_execucao() {
  local segundos=$1 pid rc=0 limite
  shift
  rm -f "$WINE_TMP/pid.xvfb" "$WINE_TMP/pid.jogo"
  set -m
  (
    set +m
    trap 'wine_limpar' EXIT
    "$@"
  ) &
  pid=$!
  set +m
  limite=$((SECONDS + segundos))
  while kill -0 "$pid" 2> /dev/null && [ "$SECONDS" -lt "$limite" ]; do
    sleep 0.5
  done
  if kill -0 "$pid" 2> /dev/null; then
    kill -TERM -- "-$pid" 2> /dev/null || true
    sleep 1
    kill -KILL -- "-$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
    _wine_encerrar_restos
    return 124
  fi
  wait "$pid" || rc=$?
  return "$rc"
}

# After a run was ended from outside: wine's processes of our prefix (some
# leave the run's process group) and the Xvfb, by its id.
_wine_encerrar_restos() {
  wineserver -k 2> /dev/null || true
  timeout 30 wineserver -w 2> /dev/null || wine_log "wineserver -w não terminou em 30s"
  if [ -f "$WINE_TMP/pid.xvfb" ]; then
    kill "$(cat "$WINE_TMP/pid.xvfb")" 2> /dev/null || true
  fi
}
