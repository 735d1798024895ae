# shellcheck shell=bash
# Shell functions for the end-to-end tests of the Windows game under wine:
# the real exe in its own Xvfb, real key events from xdotool, the screen read
# by the screen reader through the driver of scripts/lib/jogo.sh, whose start
# and keys are replaced here by wine's (the scenes shared with the native
# tests are in ../e2e/telas.sh).
#
# A test script is run as   test_x.sh [EXE [DADOS [OLHO]]]
#   EXE         the Windows game; default: ritmuro/ritmuro.exe unpacked from
#               dist/ritmuro-win32.zip, the very file players get
#   DADOS       the folder with the picture folders, the game's working
#               directory; default: the exe's own folder
#   OLHO        the screen reader, tests/apoio/olho_tela built natively
#               (default: testar-windows.sh's or the native build's, else
#               built here)
# and typically does:
#   source "$(dirname "$0")/lib_wine.sh" "$@"
#   um_teste() {
#     wine_abrir_jogo || return                # 124: start-up hung
#     verificar "title on screen" esperar_tela t "$(titulo_esperado 0)" 60
#     tecla Escape
#     wine_esperar_saida 20 || return
#     verificar "exit code 0" igual "$WINE_CODIGO" 0
#   }
#   wine_tentar 120 3 um_teste
#   wine_terminar
#
# The game runs on 32-bit wine: natively where the machine executes 32-bit
# code, else under qemu-i386 (scripts/windows/ambiente-wine.sh). There its
# frames can come seconds late, so the tests wait for what must be on screen,
# never for a fixed time; the game paces itself by its own timer.
#
# Every run is limited in time. A run that hangs (runs out of time, or returns
# 124 from a wait that never ended) is ended, its screen and the game's output
# are kept for diagnosis, and it is tried again; each such retry is printed
# together with the checks of the hung run that are thrown away, and counted
# in the closing lines. All runs share one wine prefix (prepared beforehand
# by scripts/windows/wine-setup.sh), so one test runs at a time: a lock file
# makes other test runs wait.

WINE_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/lib/comum.sh
source "$WINE_LIB_DIR/../../scripts/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/verificacoes.sh"
source "$RITMURO_RAIZ/scripts/lib/xvfb.sh"
source "$RITMURO_RAIZ/scripts/lib/jogo.sh"
# shellcheck source=../../scripts/windows/ambiente-wine.sh
source "$WINE_LIB_DIR/../../scripts/windows/ambiente-wine.sh"

# The screen reader as testar-windows.sh builds it.
WINE_OLHO_PADRAO="$RITMURO_RAIZ/build-testes-wine/olho_tela"

# Without our prefix wine would make a default one, in which the game's
# screen stays black and no key arrives.
if [ ! -f "$WINEPREFIX/.ritmuro-wine" ]; then
  echo "$(basename "$0"): the wine prefix $WINEPREFIX is not prepared: run scripts/windows/wine-setup.sh" >&2
  exit 1
fi

# Screenshots, expected pictures and the game's output of this test script;
# removed at the end when every check passed. The names are those of the
# shared helpers (../e2e/telas.sh).
TMP_E2E="$(mktemp -d /tmp/ritmuro-wine.XXXXXX)"
WINE_SAIDA="$TMP_E2E/saida.txt"
VERIFICACOES_ARQUIVO="$TMP_E2E/verificacoes.txt"
WINE_JOGO_PID=""
WINE_CODIGO=""
WINE_INICIO=$SECONDS
# Totals over the runs of this script.
WINE_PASSARAM=0
WINE_FALHARAM=0
WINE_EXECUCOES=0
WINE_TRAVADAS=0

# The exe players get: unpacked here from the release zip when none is given.
wine_exe_do_zip() {
  local zip="$RITMURO_RAIZ/dist/ritmuro-win32.zip"
  [ -f "$zip" ] || { echo "$(basename "$0"): no $zip (scripts/windows/zip.sh makes it)" >&2; exit 1; }
  unzip -q "$zip" -d "$TMP_E2E/zip" || exit 1
  echo "$TMP_E2E/zip/ritmuro/ritmuro.exe"
}

WINE_EXE="$(realpath -m "${1:-$(wine_exe_do_zip)}")"
DADOS="$(realpath -m "${2:-$(dirname "$WINE_EXE")}")"
OLHO="$(olho_achar "${3:-$WINE_OLHO_PADRAO}")" || { echo "$(basename "$0"): the screen reader did not build" >&2; exit 1; }
# shellcheck source=../e2e/telas.sh
source "$WINE_LIB_DIR/../e2e/telas.sh"

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
    log "another wine test run holds $WINEPREFIX.lock: waiting (up to 15 min)"
    flock -w 900 "$WINE_TRAVA" || { echo "the wine prefix stayed locked" >&2; exit 1; }
  fi
}
WINE_TRAVA=""
wine_travar_prefixo
log "exe: $WINE_EXE, on $(como_o_wine_roda)"
sem_trava() {
  if [ -n "$WINE_TRAVA" ]; then "$@" {WINE_TRAVA}>&-; else "$@"; fi
}

# ---------------------------------------------------------------- X and wine

# Plain Xvfb (no window manager), larger than the game's screen: wine's
# virtual desktop holds the game's window at 0,0. Its display is kept for the
# diagnosis of a run ended from outside.
wine_iniciar_xvfb() {
  sem_trava iniciar_xvfb 1024x768x24 || return 1
  echo "$XVFB_PID" > "$TMP_E2E/pid.xvfb"
  echo "${DISPLAY#:}" > "$TMP_E2E/display"
}

# Starts the game under wine in the background, in folder $1 (default: the
# picture folder), its console output (stdout and stderr) into WINE_SAIDA.
wine_iniciar_jogo() {
  local pasta="${1:-$DADOS}"
  [ -f "$WINE_EXE" ] || { log "there is no $WINE_EXE"; return 1; }
  WINE_CODIGO=""
  (sem_trava _wine_lancar "$pasta") > "$WINE_SAIDA" 2>&1 &
  WINE_JOGO_PID=$!
  echo "$WINE_JOGO_PID" > "$TMP_E2E/pid.jogo"
  WINE_INICIO=$SECONDS
  log "started $(basename "$WINE_EXE") in $pasta on $DISPLAY"
}

_wine_lancar() { cd "$1" && exec "${COM_WINE[@]}" "$WINE" "$WINE_EXE"; }

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
  [ -n "$desktop" ] || { log "there is no 'Wine desktop' window"; return 1; }
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
      log "the game ended before opening its window; its output:"
      cat "$WINE_SAIDA"
      return 1
    fi
    if [ "$SECONDS" -ge "$limite" ]; then
      log "the game's window did not appear in ${1:-30}s"
      wine_diagnostico sem-janela
      return 124
    fi
    sleep 0.2
  done
  wine_focar_desktop || return 1
  log "window ready $((SECONDS - WINE_INICIO))s after the start"
}

# Xvfb, the game in folder $1 (default: the picture folder), its window
# focused and its first frame on screen, which under emulation can come
# seconds after the window. A screen that stays black is a hung start (124).
wine_abrir_jogo() {
  wine_iniciar_xvfb || return 1
  wine_iniciar_jogo "${1:-$DADOS}" || return 1
  wine_esperar_janela 60 || return
  if ! esperar 60 primeiro_quadro desenhada > /dev/null; then
    log "the game's screen stayed black"
    wine_diagnostico tela-preta
    return 124
  fi
  log "first frame $((SECONDS - WINE_INICIO))s after the start"
}

# Holds each key given (xdotool names: Return, Escape, Up, F5 ...) for about
# half a second, one after the other: a short tap can fall between two polls
# of the game's keyboard state, which come late under emulation.
TEMPO_TECLA="${WINE_TEMPO_TECLA:-0.5}"
tecla() {
  local t
  for t in "$@"; do
    xdotool keydown "$t"
    sleep "$TEMPO_TECLA"
    xdotool keyup "$t"
  done
}
segurar() { xdotool keydown "$1"; }
soltar() { xdotool keyup "$1"; }

# Waits up to SEGUNDOS (default 30) for the game to exit and puts its exit
# code in WINE_CODIGO. Returns 124 (hung) if it is still running then. With
# a KEY, that key is held meanwhile, as a player leaving the game would, let
# go and pressed again every 10 s: a press the game's key guard held back
# (it had not yet seen the last key up) acts only once pressed anew.
wine_esperar_saida() {  # wine_esperar_saida [SEGUNDOS [KEY]]
  local limite=$((SECONDS + ${1:-30})) segura=${2:-} de_novo=$((SECONDS + 10))
  [ -z "$segura" ] || segurar "$segura"
  while kill -0 "$WINE_JOGO_PID" 2> /dev/null; do
    if [ "$SECONDS" -ge "$limite" ]; then
      [ -z "$segura" ] || soltar "$segura"
      log "the game did not end in ${1:-30}s"
      wine_diagnostico sem-saida
      return 124
    fi
    if [ -n "$segura" ] && [ "$SECONDS" -ge "$de_novo" ]; then
      soltar "$segura"
      sleep "$TEMPO_TECLA"
      segurar "$segura"
      de_novo=$((SECONDS + 10))
    fi
    sleep 0.2
  done
  [ -z "$segura" ] || soltar "$segura"
  WINE_CODIGO=0
  wait "$WINE_JOGO_PID" || WINE_CODIGO=$?
  WINE_JOGO_PID=""
  log "the game ended with exit code $WINE_CODIGO"
}

vivo() { [ -n "$WINE_JOGO_PID" ] && kill -0 "$WINE_JOGO_PID" 2> /dev/null; }

# What a stuck run looked like: the whole X screen, the window tree and the
# game's output so far, kept in TMP_E2E under NOME.
wine_diagnostico() {
  local nome
  nome="$1-$(date +%H%M%S)"
  import -window root "$TMP_E2E/$nome.png" 2> /dev/null || true
  xwininfo -root -tree > "$TMP_E2E/$nome.janelas.txt" 2>&1 || true
  cp "$WINE_SAIDA" "$TMP_E2E/$nome.saida.txt" 2> /dev/null || true
  log "diagnosis kept: $TMP_E2E/$nome.{png,janelas.txt,saida.txt}; the game's output so far:"
  sed 's/^/    /' "$WINE_SAIDA" 2> /dev/null || true
}

# Ends what a run left: the game and every wine process of our prefix, then
# the Xvfb it started. Safe to call more than once.
wine_limpar() {
  if vivo; then kill "$WINE_JOGO_PID" 2> /dev/null || true; fi
  WINE_JOGO_PID=""
  sem_trava com_wine wineserver -k > /dev/null 2>&1 || true
  sem_trava timeout 30 "${COM_WINE[@]}" wineserver -w > /dev/null 2>&1 || log "wineserver -w did not end in 30s"
  parar_xvfb
}

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
    log "run $n of $tentativas: $*"
    : > "$VERIFICACOES_ARQUIVO"
    rc=0
    _wine_uma_execucao "$segundos" "$@" || rc=$?
    WINE_EXECUCOES=$((WINE_EXECUCOES + 1))
    if [ "$rc" != 124 ]; then
      _wine_contar "$rc" "$*"
      log "summary of '$*': $n run(s), $travadas hung"
      return 0
    fi
    travadas=$((travadas + 1))
    WINE_TRAVADAS=$((WINE_TRAVADAS + 1))
    log "WARNING: run $n of $tentativas HUNG (limit ${segundos}s or a wait that never ended): $*"
    if [ -s "$VERIFICACOES_ARQUIVO" ]; then
      log "checks of the hung run, thrown away:"
      sed 's/^/    /' "$VERIFICACOES_ARQUIVO"
    fi
    [ "$n" -lt "$tentativas" ] && log "WARNING: trying again after a hang"
  done
  WINE_FALHARAM=$((WINE_FALHARAM + 1))
  log "FAIL: every one of the $tentativas runs hung: $*"
  return 0
}

_wine_contar() {
  local rc=$1 descricao=$2 ok falhou
  read -r ok falhou < <(contar_verificacoes)
  if [ "$rc" != 0 ] && [ "$falhou" = 0 ]; then
    falhou=1
    log "FAIL: the run '$descricao' ended with code $rc"
  fi
  if [ $((ok + falhou)) = 0 ]; then
    falhou=1
    log "FAIL: the run '$descricao' checked nothing"
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
  rm -f "$TMP_E2E/pid.xvfb" "$TMP_E2E/pid.jogo" "$TMP_E2E/display"
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
    log "the run is still going after ${segundos}s: ending it"
    if [ -s "$TMP_E2E/display" ]; then
      DISPLAY=":$(head -1 "$TMP_E2E/display")" wine_diagnostico tempo-esgotado
    fi
    log "processes of the run:"
    pgrep -a -g "$pid" | sed 's/^/    /' || true
    # TERM first, and KILL for whatever of the group is still there after
    # up to five seconds.
    kill -TERM -- "-$pid" 2> /dev/null || true
    for _ in $(seq 50); do pgrep -g "$pid" > /dev/null || break; sleep 0.1; done
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
  sem_trava com_wine wineserver -k > /dev/null 2>&1 || true
  sem_trava timeout 30 "${COM_WINE[@]}" wineserver -w > /dev/null 2>&1 || log "wineserver -w did not end in 30s"
  if [ -f "$TMP_E2E/pid.xvfb" ]; then
    kill "$(cat "$TMP_E2E/pid.xvfb")" 2> /dev/null || true
  fi
}

# The closing lines: runs and hangs, then "N passed, M failed"; exits 0 only
# when nothing failed. The screenshots are kept after a failure or a hang.
wine_terminar() {
  echo "$(basename "$0"): $WINE_EXECUCOES wine run(s) of $(basename "$WINE_EXE"), $WINE_TRAVADAS hung and retried"
  if [ "$WINE_FALHARAM" = 0 ] && [ "$WINE_TRAVADAS" = 0 ]; then
    rm -rf "$TMP_E2E"
  else
    echo "screenshots, diagnoses and the game's output kept in $TMP_E2E"
  fi
  echo "$WINE_PASSARAM passed, $WINE_FALHARAM failed"
  [ "$WINE_FALHARAM" = 0 ]
  exit $?
}
