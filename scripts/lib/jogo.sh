# shellcheck shell=bash
# The driver of the running game, for every script that plays it: the
# end-to-end tests (tests/e2e, and tests/e2e_wine, which replaces the start
# and the keys with wine's), the screenshots of docs/ (scripts/capturas.sh)
# and the game's benchmark (bench/medir_jogo.sh). Sourced after comum.sh,
# verificacoes.sh and xvfb.sh, with:
#   jogo_preparar JOGO DADOS [OLHO]
# JOGO the game binary (a bare name is looked up on PATH when started), DADOS
# the picture folder it runs in (it need not exist yet: a package may put it
# there), OLHO the screen reader tests/apoio/olho_tela built (found or built
# here when not given). Gives:
#   iniciar_x, iniciar_jogo [FOLDER], esperar_janela, esperar_fim S, vivo
#   tecla KEY [HOLD_S], segurar KEY, soltar KEY
#   olho ARGS...                    the screen reader (see tests/apoio/olho_tela.cpp)
#   esperar S NAME [--parada] CONDITION...   waits for what the screen shows;
#                                   the picture read is kept as TMP_E2E/NAME.bmp
#   ver NAME CONDITION...           the same conditions on the picture kept as NAME
#   esperar_quadros S N             the game has drawn N new frames
#   tocar_ate S NAME KEY [--parada] CONDITION...   holds KEY until it shows
#   titulo_esperado N, instrucoes_esperadas   the menu's pictures, as conditions
# A wait's screenshot stays in TMP_E2E, which is kept after a failure.

# shellcheck disable=SC2034  # JOGO_PASTA and CODIGO are read by the scripts
jogo_preparar() {
  case "$1" in
    */*) JOGO="$(readlink -m "$1")" ;;
    *) JOGO="$1" ;;
  esac
  DADOS="$(readlink -m "$2")"
  TMP_E2E="$(mktemp -d /tmp/ritmuro-jogo-XXXXXX)"
  JOGO_PID=""
  JOGO_PASTA=""
  OLHO="$(olho_achar "${3:-}")" || abortar "the screen reader olho_tela could not be built"
  trap jogo_encerrar EXIT
}

jogo_encerrar() {
  local codigo=$?
  [ -n "$JOGO_PID" ] && kill -9 "$JOGO_PID" 2>/dev/null
  parar_xvfb
  wait 2>/dev/null
  if houve_falha || [ "$codigo" != 0 ]; then echo "screenshots kept in $TMP_E2E"; else rm -rf "$TMP_E2E"; fi
}

# ------------------------------------------------------------- the reader

# The screen reader: the one given, the native build's, or built here with
# g++ (as the wine tests and the installed game's test run it) into
# TMP_E2E. Prints its path.
olho_achar() {
  local dado=$1 candidata
  for candidata in "$dado" "$RITMURO_RAIZ/build/tests/olho_tela"; do
    [ -n "$candidata" ] && [ -x "$candidata" ] && { echo "$candidata"; return 0; }
  done
  olho_compilar "$TMP_E2E/olho_tela"
}

# Builds the screen reader into FILE; prints FILE.
olho_compilar() {  # olho_compilar FILE
  local raiz="$RITMURO_RAIZ"
  # shellcheck disable=SC2046  # pkg-config gives several words
  g++ -std=c++17 -O2 -I"$raiz/src" -I"$raiz/tests/apoio" -o "$1" "$raiz/tests/apoio/olho_tela.cpp" \
    "$raiz/tests/apoio/leitor_tela.cpp" "$raiz/tests/apoio/leitor_tela_allegro.cpp" \
    $(pkg-config --cflags --libs allegro) -lX11 -lXtst >&2 || return 1
  echo "$1"
}

# The reader on the game's picture folder; the game's frame interval, as the
# reader last measured it, is remembered in TMP_E2E between calls.
olho() { "$OLHO" --dados "$DADOS" --ritmo "$TMP_E2E/ritmo" "$@"; }

# Waits up to S seconds until the screen shows CONDITION...; with --parada
# only a picture that has stood still (no new frame for several of the
# game's frame intervals as it draws now, and at least half a second) is
# read. The picture read stays as TMP_E2E/NAME.bmp for the checks that
# follow; when the time runs out, what was seen instead is printed.
esperar() {  # esperar S NAME [--parada] CONDITION...
  local segundos=$1 nome=$2
  shift 2
  olho --ate "$segundos" --guardar "$TMP_E2E/$nome.bmp" "$@"
}

# The conditions on the picture kept by a wait under NAME.
ver() {  # ver NAME CONDITION...
  local nome=$1
  shift
  olho --de "$TMP_E2E/$nome.bmp" "$@"
}

# The game has drawn N new frames since the call, within S seconds.
esperar_quadros() { olho --ate "$1" quadros "$2"; }

# Holds KEY until CONDITION holds on screen, then lets it go; for up to S
# seconds in all, each press given 10 seconds to show. The game acts on a
# key once per press, and reads the keyboard once a pass: a tap can begin
# and end between two passes of a slow game (wine hands it its keys late,
# and its passes are long under emulation), and a key pressed before the
# game has seen the last one up is held back by its key guard. Held until it
# shows, the key cannot be missed; one that never shows is let go, and
# pressed again once the game has drawn five new frames (on a screen that
# does not change, after up to 10 s).
tocar_ate() {  # tocar_ate S NAME KEY [--parada] CONDITION...
  local limite=$((SECONDS + $1)) nome=$2 qual=$3
  shift 3
  while :; do
    segurar "$qual"
    esperar 10 "$nome" "$@" > /dev/null && { soltar "$qual"; return 0; }
    soltar "$qual"
    [ "$SECONDS" -lt "$limite" ] || { esperar 0 "$nome" "$@"; return 1; }
    esperar_quadros 10 5 > /dev/null
  done
}

# The title as the menu draws it with entry N selected: the background, the
# entry's box at (259, 300) and the clef cursor at (220, 300 + 45 N).
titulo_esperado() {
  echo "igual abertura/back.bmp com abertura/caixa$1.bmp 259 300 com abertura/clave.bmp 220 $((300 + 45 * $1))"
}
instrucoes_esperadas() { echo "igual abertura/back_help.bmp com abertura/instrucoes.bmp 10 200"; }

# The screen equals EXPECTED (the words of a condition, as titulo_esperado
# gives them), within S seconds.
esperar_tela() {  # esperar_tela NAME EXPECTED S
  # shellcheck disable=SC2086  # the expected picture's words
  esperar "$3" "$1" $2
}

# ------------------------------------------------------------- the game, natively

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
  esperar 10 primeiro_quadro desenhada
}

# Holds a key for a moment: short taps can fall between two polls of key[].
TEMPO_TECLA=0.15
tecla() {
  xdotool keydown "$1"; sleep "${2:-$TEMPO_TECLA}"; xdotool keyup "$1"; sleep 0.15
}
segurar() { xdotool keydown "$1"; }
soltar() { xdotool keyup "$1"; }

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
