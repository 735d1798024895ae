# shellcheck shell=bash
# Shell functions for the end-to-end tests of the Windows game under wine:
# the real exe in its own Xvfb, real key events from xdotool, screenshots
# compared with pictures composed from the game's own picture files.
#
# A test script is run as   test_x.sh [EXE [DADOS [REFERENCIA]]]
#   EXE         the Windows game (default: the build this machine's wine runs)
#   DADOS       the folder with the picture folders, the game's working directory
#   REFERENCIA  tests/e2e/referencia.cpp built natively (prints texts in the
#               library's font onto a picture)
# and typically does:
#   source "$(dirname "$0")/lib_wine.sh" "$@"
#   um_teste() {
#     wine_abrir_jogo || return                # 124: start-up hung
#     wine_verificar "title on screen" wine_tela_igual "$(wine_foto t)" "$(wine_titulo_esperado 0)"
#     wine_segurar_tecla Escape
#     wine_esperar_saida 20 || return
#     wine_verificar "exit code 0" wine_igual "$WINE_CODIGO" 0
#   }
#   wine_tentar 120 3 um_teste
#   wine_terminar
#
# Every run is limited in time. A run that hangs (runs out of time, or returns
# 124 from a wait that never ended) is ended, its screen and the game's output
# are kept for diagnosis, and it is tried again; each such retry is printed
# together with the checks of the hung run that are thrown away, and counted
# in the closing lines. All runs share one wine prefix (prepared beforehand
# by scripts/windows/wine-setup.sh), so one test runs at a time: a lock file
# makes other test runs wait.

WINE_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/windows/comum.sh
source "$WINE_LIB_DIR/../../scripts/windows/comum.sh"
# shellcheck source=../../scripts/windows/ambiente-wine.sh
source "$WINE_LIB_DIR/../../scripts/windows/ambiente-wine.sh"

# The game for Windows that this machine's prefix runs: the 32-bit build
# where 32-bit code executes, else the 64-bit one (see ambiente-wine.sh).
wine_exe_do_jogo() {
  if [ "$RITMURO_WINE_ARQ" = i686 ]; then
    echo "$RITMURO_RAIZ/build-win32/ritmuro.exe"
  else
    echo "$RITMURO_RAIZ/build-win64/ritmuro.exe"
  fi
}

# The reference tool as testar-windows.sh builds it, else the native build's.
wine_referencia_padrao() {
  local candidata
  for candidata in "$RITMURO_RAIZ/build-testes-wine/referencia_e2e" "$RITMURO_RAIZ/build/tests/referencia_e2e"; do
    [ -x "$candidata" ] && { echo "$candidata"; return 0; }
  done
}

WINE_EXE="$(realpath -m "${1:-$(wine_exe_do_jogo)}")"
WINE_DADOS="$(realpath -m "${2:-$RITMURO_RAIZ/data}")"
WINE_REFERENCIA="${3:-$(wine_referencia_padrao)}"

# Without our prefix wine would make a default one, in which the game's
# screen stays black and no key arrives.
if [ ! -f "$WINEPREFIX/.ritmuro-wine" ]; then
  echo "$(basename "$0"): the wine prefix $WINEPREFIX is not prepared: run scripts/windows/wine-setup.sh" >&2
  exit 1
fi

# Screenshots, expected pictures and the game's output of this test script;
# removed at the end when every check passed.
WINE_TMP="$(mktemp -d /tmp/ritmuro-wine.XXXXXX)"
WINE_SAIDA="$WINE_TMP/saida.txt"
WINE_VERIFICACOES="$WINE_TMP/verificacoes.txt"
WINE_XVFB_PID=""
WINE_JOGO_PID=""
WINE_CODIGO=""
WINE_INICIO=$SECONDS
# Totals over the runs of this script.
WINE_PASSARAM=0
WINE_FALHARAM=0
WINE_EXECUCOES=0
WINE_TRAVADAS=0

wine_log() { echo "[$(date +%T.%3N)] $*"; }

# One test script at a time per wine prefix: wineserver -k, used to clean up
# after each run, would end another script's game too. The lock's file
# descriptor is closed for everything started from here, so a wineserver that
# outlives a run never holds it. A caller that already holds the lock for us
# (testar-windows.sh) says so in RITMURO_WINE_TRAVA_TOMADA and keeps the
# descriptor to itself.
wine_travar_prefixo() {
  [ "${RITMURO_WINE_TRAVA_TOMADA:-}" = "$WINEPREFIX" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec {WINE_TRAVA}> "$WINEPREFIX.lock"
  if ! flock -n "$WINE_TRAVA"; then
    wine_log "another wine test run holds $WINEPREFIX.lock: waiting (up to 15 min)"
    flock -w 900 "$WINE_TRAVA" || { echo "the wine prefix stayed locked" >&2; exit 1; }
  fi
}
WINE_TRAVA=""
wine_travar_prefixo
sem_trava() {
  if [ -n "$WINE_TRAVA" ]; then "$@" {WINE_TRAVA}>&-; else "$@"; fi
}

# ---------------------------------------------------------------- X and wine

# Plain Xvfb (no window manager) on a display number it picks itself as free.
wine_iniciar_xvfb() {
  local arquivo="$WINE_TMP/display" _
  rm -f "$arquivo"
  # Started directly, not through a function, so that $! is Xvfb itself.
  if [ -n "$WINE_TRAVA" ]; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp {WINE_TRAVA}>&- 3> "$arquivo" \
      < /dev/null > "$WINE_TMP/xvfb.log" 2>&1 &
  else
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$arquivo" \
      < /dev/null > "$WINE_TMP/xvfb.log" 2>&1 &
  fi
  WINE_XVFB_PID=$!
  echo "$WINE_XVFB_PID" > "$WINE_TMP/pid.xvfb"
  for _ in $(seq 1 100); do
    [ -s "$arquivo" ] && break
    kill -0 "$WINE_XVFB_PID" 2> /dev/null || { cat "$WINE_TMP/xvfb.log" >&2; return 1; }
    sleep 0.1
  done
  [ -s "$arquivo" ] || { wine_log "Xvfb did not announce its display"; return 1; }
  DISPLAY=":$(head -1 "$arquivo")"
  export DISPLAY
}

# Starts the game under wine in the background, in folder $1 (default: the
# picture folder), its console output (stdout and stderr) into WINE_SAIDA.
wine_iniciar_jogo() {
  local pasta="${1:-$WINE_DADOS}"
  [ -f "$WINE_EXE" ] || { wine_log "there is no $WINE_EXE"; return 1; }
  WINE_CODIGO=""
  (sem_trava _wine_lancar "$pasta") > "$WINE_SAIDA" 2>&1 &
  WINE_JOGO_PID=$!
  echo "$WINE_JOGO_PID" > "$WINE_TMP/pid.jogo"
  WINE_INICIO=$SECONDS
  wine_log "started $(basename "$WINE_EXE") in $pasta on $DISPLAY"
}

_wine_lancar() { cd "$1" && exec "$WINE" "$WINE_EXE"; }

# The X window wine made for the game (class = the exe's file name), once the
# game has set its 640x480 mode at 0,0 of the virtual desktop.
wine_janela_do_jogo() {
  local janela info
  for janela in $(xdotool search --classname "$(basename "$WINE_EXE")" 2> /dev/null); do
    info="$(xwininfo -id "$janela" 2> /dev/null)"
    if grep -q 'Width: 640' <<< "$info" && grep -q 'Height: 480' <<< "$info"; then
      echo "$janela"
      return 0
    fi
  done
  return 1
}

# Wine activates its windows only on a real focus event on its desktop's X
# window.
wine_focar_desktop() {
  local desktop
  desktop="$(xdotool search --name 'Wine desktop' 2> /dev/null | head -1)"
  [ -n "$desktop" ] || { wine_log "there is no 'Wine desktop' window"; return 1; }
  xdotool windowfocus --sync "$desktop"
}

# Waits (up to SEGUNDOS, default 30) for the game's 640x480 window, then
# focuses wine's desktop: focusing before the game's window exists leaves the
# game black and deaf. Returns 1 if the game exits first, 124 (hung) if the
# time runs out.
wine_esperar_janela() {
  local limite=$((SECONDS + ${1:-30}))
  until wine_janela_do_jogo > /dev/null; do
    if ! kill -0 "$WINE_JOGO_PID" 2> /dev/null; then
      wine_log "the game ended before opening its window; its output:"
      cat "$WINE_SAIDA"
      return 1
    fi
    if [ "$SECONDS" -ge "$limite" ]; then
      wine_log "the game's window did not appear in ${1:-30}s"
      wine_diagnostico sem-janela
      return 124
    fi
    sleep 0.2
  done
  wine_focar_desktop || return 1
  wine_log "window ready $((SECONDS - WINE_INICIO))s after the start"
}

# Xvfb, the game in folder $1 (default: the picture folder), its window
# focused and a moment for its first frames.
wine_abrir_jogo() {
  wine_iniciar_xvfb || return 1
  wine_iniciar_jogo "${1:-$WINE_DADOS}" || return 1
  wine_esperar_janela 30 || return
  sleep 0.5
}

# Holds each key given (xdotool names: Return, Escape, Up, F5 ...) for about
# 0.3 s, one after the other: a short tap can fall between two polls of the
# game's keyboard state.
wine_segurar_tecla() {
  local tecla
  for tecla in "$@"; do
    xdotool keydown "$tecla"
    sleep "${WINE_TEMPO_TECLA:-0.3}"
    xdotool keyup "$tecla"
    sleep 0.15
  done
}

# Waits up to SEGUNDOS (default 30) for the game to exit and puts its exit
# code in WINE_CODIGO. Returns 124 (hung) if it is still running then.
wine_esperar_saida() {
  local limite=$((SECONDS + ${1:-30}))
  while kill -0 "$WINE_JOGO_PID" 2> /dev/null; do
    if [ "$SECONDS" -ge "$limite" ]; then
      wine_log "the game did not end in ${1:-30}s"
      wine_diagnostico sem-saida
      return 124
    fi
    sleep 0.2
  done
  WINE_CODIGO=0
  wait "$WINE_JOGO_PID" || WINE_CODIGO=$?
  WINE_JOGO_PID=""
  wine_log "the game ended with exit code $WINE_CODIGO"
}

wine_vivo() { [ -n "$WINE_JOGO_PID" ] && kill -0 "$WINE_JOGO_PID" 2> /dev/null; }

# What a stuck run looked like: the whole X screen, the window tree and the
# game's output so far, kept in WINE_TMP under NOME.
wine_diagnostico() {
  local nome
  nome="$1-$(date +%H%M%S)"
  import -window root "$WINE_TMP/$nome.png" 2> /dev/null || true
  xwininfo -root -tree > "$WINE_TMP/$nome.janelas.txt" 2>&1 || true
  cp "$WINE_SAIDA" "$WINE_TMP/$nome.saida.txt" 2> /dev/null || true
  wine_log "diagnosis kept: $WINE_TMP/$nome.{png,janelas.txt,saida.txt}; the game's output so far:"
  sed 's/^/    /' "$WINE_SAIDA" 2> /dev/null || true
}

# Ends what a run left: the game and every wine process of our prefix, then
# the Xvfb it started. Safe to call more than once.
wine_limpar() {
  if wine_vivo; then kill "$WINE_JOGO_PID" 2> /dev/null || true; fi
  WINE_JOGO_PID=""
  sem_trava wineserver -k > /dev/null 2>&1 || true
  sem_trava timeout 30 wineserver -w > /dev/null 2>&1 || wine_log "wineserver -w did not end in 30s"
  if [ -n "$WINE_XVFB_PID" ]; then
    kill "$WINE_XVFB_PID" 2> /dev/null || true
    wait "$WINE_XVFB_PID" 2> /dev/null || true
  fi
  WINE_XVFB_PID=""
}

# ------------------------------------------------------------------ pictures

# Screenshot of the game's 640x480 screen (at 0,0 of the virtual desktop)
# into WINE_TMP/NOME.png; prints the file name.
wine_foto() {
  import -window root -crop 640x480+0+0 +repage "$WINE_TMP/$1.png"
  echo "$WINE_TMP/$1.png"
}

# Number of pixels that differ between two pictures of the same size.
wine_diferencas() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Pixels that differ between the rectangle W x H at (X, Y) of a shot and the
# one at (PX, PY) of a picture: wine_diferencas_regiao shot X Y picture PX PY W H
wine_diferencas_regiao() {
  convert "$1" -crop "${7}x${8}+${2}+${3}" +repage "$WINE_TMP/r1.png"
  convert "$4" -crop "${7}x${8}+${5}+${6}" +repage "$WINE_TMP/r2.png"
  wine_diferencas "$WINE_TMP/r1.png" "$WINE_TMP/r2.png"
}

# Brightest channel value (0-255) in the rectangle W x H at (X, Y) of a shot.
wine_maximo() {  # wine_maximo shot X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format '%[fx:int(255*maxima+0.5)]' info:
}

# Number of pure-black pixels in the rectangle W x H at (X, Y) of a picture.
wine_contar_preto() {  # wine_contar_preto shot X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fill white +opaque "rgb(0,0,0)" \
    -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}

# The rectangle W x H at (X, Y) of a picture as text, one line per pixel row,
# 1 for a pure-black pixel and 0 for any other.
wine_mascara_preta() {  # wine_mascara_preta picture X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fill white +opaque "rgb(0,0,0)" \
    -compress none pbm:- |
    awk '{ for (i = 1; i <= NF; i++) {
             if (++t <= 3) { if (t == 2) w = $i; continue }
             linha = linha $i
             if (length(linha) == w) { print linha; linha = "" } } }'
}

# A picture of the picture folder composited onto the shot's crop at (X, Y)
# with magenta transparent changes nothing: the sprite is drawn exactly there.
wine_sprite_em() {  # wine_sprite_em shot picture X Y
  local w h d
  w=$(identify -format %w "$WINE_DADOS/$2"); h=$(identify -format %h "$WINE_DADOS/$2")
  convert "$1" -crop "${w}x${h}+${3}+${4}" +repage "$WINE_TMP/s1.png"
  convert "$WINE_TMP/s1.png" \( "$WINE_DADOS/$2" -transparent '#ff00ff' \) -composite "$WINE_TMP/s2.png"
  d=$(wine_diferencas "$WINE_TMP/s1.png" "$WINE_TMP/s2.png")
  echo "  $d of the ${w}x${h} pixels differ from '$2' at ($3, $4)"
  [ "$d" = 0 ]
}

# The title as the menu draws it with entry N selected: the background, the
# entry's box at (259, 300) and the clef cursor at (220, 300 + 45 N), magenta
# transparent.
wine_titulo_esperado() {
  local y=$((300 + 45 * $1))
  convert "$WINE_DADOS/abertura/back.bmp" \
    \( "$WINE_DADOS/abertura/caixa$1.bmp" -transparent '#ff00ff' \) -geometry +259+300 -composite \
    \( "$WINE_DADOS/abertura/clave.bmp" -transparent '#ff00ff' \) -geometry "+220+$y" -composite \
    "$WINE_TMP/esperado_titulo_$1.png"
  echo "$WINE_TMP/esperado_titulo_$1.png"
}

# The picture $1 of the picture folder with texts printed in the game's font,
# into WINE_TMP/$2.bmp: wine_referencia picture name X Y branco|preto TEXT...
wine_referencia() {
  local entrada="$WINE_DADOS/$1" nome="$2"
  shift 2
  [ -x "$WINE_REFERENCIA" ] || { echo "no reference tool (3rd argument): '$WINE_REFERENCIA'" >&2; return 1; }
  "$WINE_REFERENCIA" "$entrada" "$WINE_TMP/$nome.bmp" "$@" || return 1
  echo "$WINE_TMP/$nome.bmp"
}

# The shot equals the expected picture; the number of differing pixels is
# printed either way.
wine_tela_igual() {  # wine_tela_igual shot expected
  local d
  d=$(wine_diferencas "$1" "$2")
  echo "  $d pixels differ ($(basename "$1") vs $(basename "$2"))"
  [ "$d" = 0 ]
}

# Takes screenshots for up to SEGUNDOS until one equals the expected picture.
# Prints the differing pixels of the last shot; the last shot is NOME.png.
wine_esperar_tela() {  # wine_esperar_tela name expected seconds
  local limite=$((SECONDS + $3)) d
  while :; do
    d=$(wine_diferencas "$(wine_foto "$1")" "$2")
    [ "$d" = 0 ] && break
    [ "$SECONDS" -lt "$limite" ] || break
    sleep 0.25
  done
  echo "  $d pixels differ ($1.png vs $(basename "$2"))"
  [ "$d" = 0 ]
}

# Takes screenshots for up to SEGUNDOS until the cover strip (top 29 rows) is
# lit (aceso) or all black (apagado).
wine_esperar_cobertura() {  # wine_esperar_cobertura aceso|apagado seconds
  local limite=$((SECONDS + $2)) m
  while :; do
    m=$(wine_maximo "$(wine_foto cobertura)" 0 0 640 29)
    if [ "$1" = aceso ] && [ "$m" -gt 0 ]; then return 0; fi
    if [ "$1" = apagado ] && [ "$m" = 0 ]; then return 0; fi
    [ "$SECONDS" -lt "$limite" ] || { echo "  the cover strip's brightest value is still $m"; return 1; }
    sleep 0.2
  done
}

# ------------------------------------------------------------------- checks

# wine_verificar "description" command... : records ok or FAIL for the run.
wine_verificar() {
  local descricao="$1"
  shift
  if "$@"; then
    echo "ok: $descricao" >> "$WINE_VERIFICACOES"
    wine_log "ok: $descricao"
  else
    echo "FAIL: $descricao" >> "$WINE_VERIFICACOES"
    wine_log "FAIL: $descricao"
  fi
}
wine_igual() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'"; return 1; }; }
wine_zero() { [ "$1" = 0 ] || { echo "  got $1"; return 1; }; }
wine_positivo() { [ "$1" -gt 0 ] 2> /dev/null || { echo "  got '$1'"; return 1; }; }

# -------------------------------------------------------------------- runs

# Runs FUNÇÃO [ARGS] (one whole run of the game: Xvfb, game, keys, checks) up
# to TENTATIVAS times, each limited to SEGUNDOS. Only a run that hangs (runs
# out of time, or returns 124 from a wait that never ended) is tried again:
# the retry is printed with the checks of the hung run, which are thrown
# away. A run that ends with another non-zero code without a failed check
# counts as one failure. RITMURO_WINE_TENTATIVAS=1 allows no retry at all.
wine_tentar() {
  local segundos=$1 tentativas=${RITMURO_WINE_TENTATIVAS:-$2} rc n travadas=0
  shift 2
  for n in $(seq 1 "$tentativas"); do
    wine_log "run $n of $tentativas: $*"
    : > "$WINE_VERIFICACOES"
    rc=0
    _wine_uma_execucao "$segundos" "$@" || rc=$?
    WINE_EXECUCOES=$((WINE_EXECUCOES + 1))
    if [ "$rc" != 124 ]; then
      _wine_contar "$rc" "$*"
      wine_log "summary of '$*': $n run(s), $travadas hung"
      return 0
    fi
    travadas=$((travadas + 1))
    WINE_TRAVADAS=$((WINE_TRAVADAS + 1))
    wine_log "WARNING: run $n of $tentativas HUNG (limit ${segundos}s or a wait that never ended): $*"
    if [ -s "$WINE_VERIFICACOES" ]; then
      wine_log "checks of the hung run, thrown away:"
      sed 's/^/    /' "$WINE_VERIFICACOES"
    fi
    [ "$n" -lt "$tentativas" ] && wine_log "WARNING: trying again after a hang"
  done
  WINE_FALHARAM=$((WINE_FALHARAM + 1))
  wine_log "FAIL: every one of the $tentativas runs hung: $*"
  return 0
}

_wine_contar() {
  local rc=$1 descricao=$2 ok falhou
  ok=$(grep -c '^ok:' "$WINE_VERIFICACOES" || true)
  falhou=$(grep -c '^FAIL:' "$WINE_VERIFICACOES" || true)
  if [ "$rc" != 0 ] && [ "$falhou" = 0 ]; then
    falhou=1
    wine_log "FAIL: the run '$descricao' ended with code $rc"
  fi
  if [ $((ok + falhou)) = 0 ]; then
    falhou=1
    wine_log "FAIL: the run '$descricao' checked nothing"
  fi
  WINE_PASSARAM=$((WINE_PASSARAM + ok))
  WINE_FALHARAM=$((WINE_FALHARAM + falhou))
}

# One run in a subshell of its own process group, so that when it runs out
# of time everything it started (Xvfb, wine, xdotool) is ended through that
# group's id, then the wine processes of our prefix through wineserver.
_wine_uma_execucao() {
  local segundos=$1 pid rc=0 limite
  shift
  rm -f "$WINE_TMP/pid.xvfb" "$WINE_TMP/pid.jogo" "$WINE_TMP/display"
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
    wine_log "the run is still going after ${segundos}s: ending it"
    if [ -s "$WINE_TMP/display" ]; then
      DISPLAY=":$(head -1 "$WINE_TMP/display")" wine_diagnostico tempo-esgotado
    fi
    wine_log "processes of the run:"
    pgrep -a -g "$pid" | sed 's/^/    /' || true
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
  sem_trava wineserver -k > /dev/null 2>&1 || true
  sem_trava timeout 30 wineserver -w > /dev/null 2>&1 || wine_log "wineserver -w did not end in 30s"
  if [ -f "$WINE_TMP/pid.xvfb" ]; then
    kill "$(cat "$WINE_TMP/pid.xvfb")" 2> /dev/null || true
  fi
}

# The closing lines: runs and hangs, then "N passed, M failed"; exits 0 only
# when nothing failed. The screenshots are kept after a failure or a hang.
wine_terminar() {
  echo "$(basename "$0"): $WINE_EXECUCOES wine run(s) of $(basename "$WINE_EXE"), $WINE_TRAVADAS hung and retried"
  if [ "$WINE_FALHARAM" = 0 ] && [ "$WINE_TRAVADAS" = 0 ]; then
    rm -rf "$WINE_TMP"
  else
    echo "screenshots, diagnoses and the game's output kept in $WINE_TMP"
  fi
  echo "$WINE_PASSARAM passed, $WINE_FALHARAM failed"
  [ "$WINE_FALHARAM" = 0 ]
  exit $?
}
