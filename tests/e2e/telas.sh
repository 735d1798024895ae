# shellcheck shell=bash
# What the end-to-end tests of the native game (lib.sh) and of the Windows
# game under wine (../e2e_wine/lib_wine.sh) share: pictures composed from the
# game's own picture files, comparisons with screenshots, waits for a state
# on screen, and the scenes both play. Sourced by those two libraries, which
# set TMP_E2E (a scratch folder), DADOS (the picture folder the game runs in),
# REFERENCIA (tests/e2e/referencia.cpp built natively) and give:
#   foto NAME            screenshot of the game's 640 x 480 screen, prints its file
#   tecla KEY            press and hold a key long enough for the game to see it
#   segurar KEY / soltar KEY
#   verificar "description" command...
#   vivo                 the game is still running

TELAS_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# ------------------------------------------------------------------ pictures

# Number of pixels that differ between two pictures of the same size.
diferencas() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Pixels that differ between the rectangle of a shot and the same-sized
# rectangle of a picture: diferencas_regiao shot X Y picture PX PY W H
diferencas_regiao() {
  convert "$1" -crop "${7}x${8}+${2}+${3}" +repage "$TMP_E2E/r1.png"
  convert "$4" -crop "${7}x${8}+${5}+${6}" +repage "$TMP_E2E/r2.png"
  diferencas "$TMP_E2E/r1.png" "$TMP_E2E/r2.png"
}

# Brightest channel value (0-255) in the rectangle W x H at (X, Y) of a shot.
maximo() {  # maximo shot X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format '%[fx:int(255*maxima+0.5)]' info:
}

# Number of pure-black pixels in the rectangle W x H at (X, Y) of a shot.
contar_preto() {  # contar_preto shot X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fill white +opaque "rgb(0,0,0)" \
    -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}

# The rectangle W x H at (X, Y) of a picture as text, one line per pixel row,
# 1 for a pure-black pixel and 0 for any other.
mascara_preta() {  # mascara_preta picture X Y W H
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fill white +opaque "rgb(0,0,0)" \
    -compress none pbm:- |
    awk '{ for (i = 1; i <= NF; i++) {
             if (++t <= 3) { if (t == 2) w = $i; continue }
             linha = linha $i
             if (length(linha) == w) { print linha; linha = "" } } }'
}

# True when picture $2 of the picture folder (magenta transparent) is drawn
# exactly at (X, Y) of shot $1: compositing it once more changes nothing.
sprite_em() {  # sprite_em shot picture X Y
  local w h d
  w=$(identify -format %w "$DADOS/$2"); h=$(identify -format %h "$DADOS/$2")
  convert "$1" -crop "${w}x${h}+${3}+${4}" +repage "$TMP_E2E/s1.png"
  convert "$TMP_E2E/s1.png" \( "$DADOS/$2" -transparent '#ff00ff' \) -composite "$TMP_E2E/s2.png"
  d=$(diferencas "$TMP_E2E/s1.png" "$TMP_E2E/s2.png")
  [ "$d" = 0 ] || { echo "  $d of the ${w}x${h} pixels differ from '$2' at ($3, $4)"; return 1; }
}

# The title as the menu draws it with entry N selected: the background, the
# entry's box at (259, 300) and the clef cursor at (220, 300 + 45 N).
titulo_esperado() {
  local y=$((300 + 45 * $1))
  convert "$DADOS/abertura/back.bmp" \
    \( "$DADOS/abertura/caixa$1.bmp" -transparent '#ff00ff' \) -geometry +259+300 -composite \
    \( "$DADOS/abertura/clave.bmp" -transparent '#ff00ff' \) -geometry "+220+$y" -composite \
    "$TMP_E2E/esperado_titulo_$1.png"
  echo "$TMP_E2E/esperado_titulo_$1.png"
}

instrucoes_esperadas() {
  convert "$DADOS/abertura/back_help.bmp" \
    \( "$DADOS/abertura/instrucoes.bmp" -transparent '#ff00ff' \) -geometry +10+200 -composite \
    "$TMP_E2E/esperado_instrucoes.png"
  echo "$TMP_E2E/esperado_instrucoes.png"
}

# The picture $1 of the picture folder (or an absolute path) with texts
# printed in the game's font, written to $TMP_E2E/$2.bmp:
#   referencia picture name X Y branco|preto TEXT...
referencia() {
  local entrada="$1" nome="$2"
  shift 2
  [[ "$entrada" == /* ]] || entrada="$DADOS/$entrada"
  [ -x "$REFERENCIA" ] || { echo "no reference tool: '$REFERENCIA'" >&2; return 1; }
  "$REFERENCIA" "$entrada" "$TMP_E2E/$nome.bmp" "$@" || return 1
  echo "$TMP_E2E/$nome.bmp"
}

# The shot equals the expected picture; the differing pixels are printed
# when it does not.
tela_igual() {  # tela_igual shot expected
  local d
  d=$(diferencas "$1" "$2")
  [ "$d" = 0 ] || { echo "  $d pixels differ ($(basename "$1") vs $(basename "$2"))"; return 1; }
}
igual() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'"; return 1; }; }
zero() { [ "$1" = 0 ] || { echo "  got $1"; return 1; }; }
positivo() { [ "$1" -gt 0 ] 2> /dev/null || { echo "  got '$1'"; return 1; }; }

# ----------------------------------------------------------- states on screen

# Takes shots for up to SEGUNDOS until CONDITION, called with the shot and
# ARGS, holds. The last shot stays as NAME.png in TMP_E2E; when the time runs
# out, the condition's last words are printed.
esperar() {  # esperar SEGUNDOS NAME CONDITION [ARGS...]
  local limite=$((SECONDS + $1)) nome=$2 saida
  shift 2
  rm -f "$TMP_E2E/$nome.anterior.png"
  while :; do
    saida=$("$1" "$(foto "$nome")" "${@:2}") && return 0
    [ "$SECONDS" -lt "$limite" ] || { [ -z "$saida" ] || echo "$saida"; return 1; }
    sleep 0.2
  done
}

# Anything at all drawn on the screen (the root window is black).
tela_desenhada() { positivo "$(maximo "$1" 0 0 640 480)" > /dev/null || { echo "  the screen is black"; return 1; }; }

# Taps KEY until CONDITION holds on screen, for up to SEGUNDOS in all; each
# tap is given a few seconds to show. A tap the game did not see (it was
# slow, or its key guard had not yet seen every key up since the last one,
# as when a key comes right after another's release) is tapped again.
tocar_ate() {  # tocar_ate SEGUNDOS NAME KEY CONDITION [ARGS...]
  local limite=$((SECONDS + $1)) nome=$2 qual=$3
  shift 3
  while :; do
    tecla "$qual"
    esperar 5 "$nome" "$@" > /dev/null && return 0
    [ "$SECONDS" -lt "$limite" ] || { esperar 0 "$nome" "$@"; return 1; }
  done
}

esperar_tela() {  # esperar_tela NAME EXPECTED SEGUNDOS
  esperar "$3" "$1" tela_igual "$2"
}

# The cover strip (top 29 rows) is lit during a stage and all black in the
# transition between stages.
cobertura_acesa() { [ "$(maximo "$1" 0 0 640 29)" -gt 0 ]; }
cobertura_apagada() { zero "$(maximo "$1" 0 0 640 29)"; }
esperar_cobertura() {  # esperar_cobertura aceso|apagado SEGUNDOS
  case "$1" in
    aceso) esperar "$2" cobertura cobertura_acesa ;;
    *) esperar "$2" cobertura cobertura_apagada ;;
  esac
}

# Stage N is on screen: the strip right of lane 1 (x 133..140) shows stage
# N's background, which only a stage step draws there (the transition and
# its last, black frame leave it black).
# HEIGHT (default the whole 451 rows) reads only the strip's top rows.
na_fase() {  # na_fase shot N [HEIGHT]
  zero "$(diferencas_regiao "$1" 133 29 "$DADOS/cenario/fase$2.bmp" 133 0 8 "${3:-451}")"
}

# True when the shot equals the one taken before it under the same name in
# the same wait: the picture has stopped changing.
tela_parada() {
  local anterior="${1%.png}.anterior.png" rc=1
  [ -f "$anterior" ] && [ "$(diferencas "$1" "$anterior")" = 0 ] && rc=0
  cp "$1" "$anterior"
  return "$rc"
}
tela_mudou() {  # tela_mudou shot before
  positivo "$(diferencas "$1" "$2")" > /dev/null || { echo "  the picture is still $(basename "$2")"; return 1; }
}

# The rectangle W x H at (X, Y) of the shot equals the same rectangle of a
# picture of the picture folder: a screen drawn from it, whatever is printed
# elsewhere on it.
mostra() {  # mostra shot picture X Y W H
  local d; d=$(diferencas_regiao "$1" "$3" "$4" "$DADOS/$2" "$3" "$4" "$5" "$6")
  [ "$d" = 0 ] || { echo "  $d pixels differ from $2"; return 1; }
}

# Takes shots of the playfield's last 100 rows, where the characters walk
# (the game's screen is at the display's top left corner, as foto takes it),
# one right after the other, until N of them have each differed from the one
# before: the game has drawn N new pictures since the call. A third of the
# cost of a whole shot, for the waits that must end within a few frames.
esperar_quadros() {  # esperar_quadros SEGUNDOS NAME N
  local limite=$((SECONDS + $1)) faixa="$TMP_E2E/$2.png" antes="$TMP_E2E/$2.antes.png" n=0
  import -window root -crop 359x100+141+370 +repage "$antes"
  while [ "$n" -lt "$3" ]; do
    [ "$SECONDS" -lt "$limite" ] || { echo "  $n of $3 new pictures in $1 s"; return 1; }
    import -window root -crop 359x100+141+370 +repage "$faixa"
    tela_mudou "$faixa" "$antes" > /dev/null && n=$((n + 1)) && mv "$faixa" "$antes"
  done
  return 0
}

# Stage 1 stands still on screen, read on na_fase's strip above the
# characters' heads (row 426): a character at the playfield's left edge
# (x 138) covers the strip's last columns lower down.
fase1_parada_acima() { tela_parada "$1" && na_fase "$1" 1 397; }

# awk function: ler(FILE, PX) reads a plain PPM picture into PX (red, green,
# blue of each pixel in turn, from 0) and sets largura and altura.
AWK_LER_PPM='
    function ler(arquivo, px,   t, k, i, v, linha) {
      t = 0
      while ((getline linha < arquivo) > 0) {
        k = split(linha, v)
        for (i = 1; i <= k; i++) { t++; if (t == 2) largura = v[i]; if (t == 3) altura = v[i]; if (t > 4) px[t - 5] = v[i] }
      }
      close(arquivo)
    }'

# A picture of the picture folder as plain PPM text, made once per test.
ppm_de() {
  local ppm="$TMP_E2E/ppm/${1//\//_}.ppm"
  [ -f "$ppm" ] || { mkdir -p "$TMP_E2E/ppm"; convert "$DADOS/$1" -compress none ppm:"$ppm"; }
  echo "$ppm"
}

# The first column in X0..X1 where one of the pictures (picture folder,
# magenta transparent, all of one size) is drawn exactly with its top on row
# Y of the shot; prints "X PICTURE".
achar_sprite() {  # achar_sprite shot Y X0 X1 picture...
  local tela=$1 y=$2 x0=$3 x1=$4 figura w h arquivos=()
  shift 4
  for figura in "$@"; do arquivos+=("$(ppm_de "$figura")"); done
  read -r w h < <(sed -n 2p "${arquivos[0]}")
  convert "$tela" -crop "$((x1 - x0 + w))x${h}+${x0}+${y}" +repage -compress none ppm:"$TMP_E2E/faixa.ppm"
  awk -v x0="$x0" -v nomes="$(printf '%s\n' "$@")" '
    '"$AWK_LER_PPM"'
    BEGIN {
      split(nomes, nome, "\n")
      ler(ARGV[1], faixa); L = largura
      for (a = 2; a < ARGC; a++) {
        delete s; ler(ARGV[a], s); w = largura; m = 0
        for (i = 0; i < w * altura; i++)
          if (!(s[3*i] == 255 && s[3*i+1] == 0 && s[3*i+2] == 255)) {
            pos[m] = (int(i / w) * L + i % w) * 3; cor[m] = s[3*i] " " s[3*i+1] " " s[3*i+2]; m++
          }
        for (x = 0; x + w <= L; x++) {
          for (j = 0; j < m; j++) { p = pos[j] + 3 * x; if (faixa[p] " " faixa[p+1] " " faixa[p+2] != cor[j]) break }
          if (j == m) { print x0 + x, nome[a - 1]; exit 0 }
        }
      }
      exit 1
    }' "$TMP_E2E/faixa.ppm" "${arquivos[@]}"
}

# -------------------------------------------------------------- the players

# Player N's character (1 Zorbo, 2 Velna) facing esq or dir, standing or in
# a step of its walk, on the ground (feet on screen row 469) anywhere on the
# playfield: prints its column, or fails when it is not on screen.
x_do_personagem() {  # x_do_personagem shot N esq|dir
  local h saida
  h=$(sed -n 2p "$(ppm_de "personagens/P$2 - $3.bmp")" | cut -d' ' -f2)
  saida=$(achar_sprite "$1" $((470 - h)) 138 468 \
    "personagens/P$2 - $3.bmp" "personagens/P$2 - ${3}1.bmp" "personagens/P$2 - ${3}2.bmp") || return 1
  echo "${saida%% *}"
}

# Condition: player N's character is on screen facing LADO at a column
# compared with X by OP: -gt, -lt, or "~" for at most one step (3 pixels)
# away, as a paused picture may show the frame before the last step.
personagem_em() {  # personagem_em shot N esq|dir OP X
  local x
  x=$(x_do_personagem "$1" "$2" "$3") || { echo "  player $2's character is not on screen facing $3"; return 1; }
  case "$4" in
    "~") [ "$x" -ge $(($5 - 3)) ] && [ "$x" -le $(($5 + 3)) ] && return 0 ;;
    -gt) [ "$x" -gt "$5" ] && return 0 ;;
    -lt) [ "$x" -lt "$5" ] && return 0 ;;
  esac
  echo "  player $2's character faces $3 at x $x (wanted $4 $5)"
  return 1
}

# The points of player N as its score panel shows them ("Pontos: N" in the
# game's font, white on black, at (198, 2) for player 1 and (332, 2) for
# player 2; the digits start 8 characters in). Prints the number, or fails.
pontos_na_tela() {  # pontos_na_tela shot N
  local x=262 largura=64
  [ "$2" = 2 ] && { x=396; largura=48; }  # player 2's lives box covers the rest
  if [ ! -f "$TMP_E2E/digitos.ppm" ]; then
    convert -size 80x8 xc:black BMP3:"$TMP_E2E/preto80.bmp"
    convert "$(referencia "$TMP_E2E/preto80.bmp" digitos 0 0 branco 0123456789)" -compress none \
      ppm:"$TMP_E2E/digitos.ppm" || return 1
  fi
  convert "$1" -crop "${largura}x8+${x}+2" +repage -compress none ppm:"$TMP_E2E/pontos.ppm"
  awk -v digitos="$TMP_E2E/digitos.ppm" -v painel="$TMP_E2E/pontos.ppm" '
    '"$AWK_LER_PPM"'
    # The 8x8 cell C of a picture W wide, as one string.
    function celula(px, W, c,   s, y, x, p) {
      s = ""
      for (y = 0; y < 8; y++) for (x = 0; x < 8; x++) { p = (y * W + 8 * c + x) * 3; s = s px[p] px[p+1] px[p+2] "," }
      return s
    }
    BEGIN {
      ler(digitos, d); for (c = 0; c < 10; c++) glifo[celula(d, 80, c)] = c
      for (i = 0; i < 64; i++) vazia = vazia "000,"
      ler(painel, t)
      for (c = 0; c < largura / 8; c++) {
        s = celula(t, largura, c)
        if (s in glifo) n = n glifo[s]
        else if (s == vazia) break
        else exit 1
      }
      if (n == "") exit 1
      print n
    }'
}

# Condition: player N's points on screen are above MIN.
pontos_acima() {  # pontos_acima shot N MIN
  local p
  p=$(pontos_na_tela "$1" "$2") || { echo "  player $2's points cannot be read"; return 1; }
  [ "$p" -gt "$3" ] || { echo "  player $2 has $p points"; return 1; }
}

# ------------------------------------------------------------------- scenes

# The screen-reading robot (scripts/capturas/robo.cpp, which reads the screen
# through the unit tests' reader in tests/apoio), built once into $TMP_E2E;
# prints its path.
robo_compilar() {
  local robo="$TMP_E2E/robo" raiz="$TELAS_DIR/../.."
  if [ ! -x "$robo" ]; then
    g++ -O2 -std=c++17 -I"$raiz/src" -I"$raiz/tests/apoio" -o "$robo" \
      "$raiz/scripts/capturas/robo.cpp" "$raiz/tests/apoio/leitor_tela.cpp" -lX11 -lXtst >&2 || return 1
  fi
  echo "$robo"
}

# The robot answering the arrows of one lane: robo_iniciar ARROWS_P1
# ARROWS_P2 (see robo.cpp). It must start while the top of both lanes is
# still clear, as a stage begins.
ROBO_PID=""
robo_iniciar() {
  local robo
  robo=$(robo_compilar) || return 1
  "$robo" 300 "$1" "$2" 250 > "$TMP_E2E/robo.log" 2>&1 &
  ROBO_PID=$!
}
robo_parar() {
  [ -n "$ROBO_PID" ] || return 0
  kill "$ROBO_PID" 2> /dev/null
  wait "$ROBO_PID" 2> /dev/null
  ROBO_PID=""
}

# Stage 1 of a two-player game as it starts: both characters at their start
# (Zorbo at x 144, Velna at x 464, both facing left) on a lit cover strip.
fase_a_dois_inicio() {
  cobertura_acesa "$1" && sprite_em "$1" "personagens/P1 - esq.bmp" 144 426 &&
    sprite_em "$1" "personagens/P2 - esq.bmp" 464 426
}

# From the title with entry 1 selected, a new two-player game; then SCENE
# (one of the cena_ functions below), then Esc back to the title, where
# entry 1 is still selected. The walls reach the characters' heads about 6 s
# into stage 1 and put both out some seconds later, so each scene has a game
# of its own.
partida_a_dois() {  # partida_a_dois SCENE
  verificar "Enter on entry 1 starts a two-player game" tocar_ate 30 inicio_dois Return fase_a_dois_inicio
  "$1"
  segurar Escape
  verificar "Esc during a stage opens the title, entry 1 still selected" \
    esperar_tela esc "$(titulo_esperado 1)" 30
  soltar Escape
}

# While the game is paused: holds KEY through one short run of the game and
# pauses it again; the paused picture stays as parado.png. Each P waits for
# what the game shows, so a P the game is slow to see (a busy machine, wine)
# is held until it is seen: P is held until the game goes on (the picture
# changes), then let go until the game has drawn two more pictures, so that
# its key guard saw P up; then P is held until stage 1 stands still (paused).
# The game moves only a few frames, whatever the speed of the machine.
passo() {  # passo KEY
  segurar "$1"
  segurar p
  esperar_quadros 20 passo 1 || echo "  passo $1: P did not resume the game"
  soltar p
  esperar_quadros 20 passo 2 || echo "  passo $1: the game stopped with P up"
  segurar p
  esperar 20 parado fase1_parada_acima || echo "  passo $1: P did not pause stage 1 again"
  soltar p
  soltar "$1"
}

# Each character walks both ways with its own player's walking keys while
# the other stays where it is: its keys move nobody else. The positions are
# read on the paused picture between short runs of the game, long before the
# walls come down to the characters' heads.
cena_caminhada() {
  local x1 x2 parado="$TMP_E2E/parado.png"
  verificar "P pauses stage 1 as it starts" tocar_ate 20 parado p fase1_parada
  passo h
  verificar "H walks Zorbo right; Velna stays at x 464 facing left" \
    dois_personagens "$parado" 1 dir -gt 144 2 esq "~" 464
  x1=$(x_do_personagem "$parado" 1 dir)
  passo Left
  verificar "Left walks Velna left; Zorbo stays at x $x1" \
    dois_personagens "$parado" 2 esq -lt 464 1 dir "~" "$x1"
  x2=$(x_do_personagem "$parado" 2 esq)
  passo g
  verificar "G walks Zorbo back left; Velna stays at x $x2" \
    dois_personagens "$parado" 1 esq -lt "$x1" 2 esq "~" "$x2"
  x1=$(x_do_personagem "$parado" 1 esq)
  passo Right
  verificar "Right walks Velna back right; Zorbo stays at x $x1" \
    dois_personagens "$parado" 2 dir -gt "$x2" 1 esq "~" "$x1"
  verificar "P resumes the game after the walks" tocar_ate 20 caminhada_retomada p tela_mudou "$parado"
}
dois_personagens() {  # shot N1 SIDE1 OP1 X1 N2 SIDE2 OP2 X2
  personagem_em "$1" "$2" "$3" "$4" "$5" && personagem_em "$1" "$6" "$7" "$8" "$9"
}

# Player N's answer keys score in lane N only. Both lanes show the same
# arrows at the same moments, so the robot (started as the stage began)
# answers lane N alone: player N's points rise while the other's stay 0.
conferir_respostas() {  # conferir_respostas N
  local outro=$((3 - $1)) teclas="W S A D"
  [ "$1" = 2 ] && teclas="keypad 5 2 1 3"
  verificar "player $1's keys ($teclas) answer the arrows of lane $1: its points rise" \
    esperar 60 "pontos$1" pontos_acima "$1" 0
  robo_parar
  verificar "player $outro's points stay 0: player $1's keys answer no other lane" \
    igual "$(pontos_na_tela "$TMP_E2E/pontos$1.png" "$outro")" 0
}

# In stage 1, P pauses: the picture stops and Esc is ignored; P again goes on.
cena_pausa() {
  verificar "P pauses: stage 1's picture stops changing" tocar_ate 20 pausa p fase1_parada
  cp "$TMP_E2E/pausa.png" "$TMP_E2E/pausada.png"
  tecla Escape
  verificar "paused, Esc changes nothing: the game stays on the paused picture" \
    esperar 20 pausa_esc tela_parada_em "$TMP_E2E/pausada.png"
  verificar "P again resumes the game" tocar_ate 20 retomada p tela_mudou "$TMP_E2E/pausada.png"
}
tela_parada_em() { tela_parada "$1" && tela_igual "$1" "$2"; }
# Stage 1 stands still on screen (not another screen that is still, such as
# the game-over screen).
fase1_parada() { tela_parada "$1" && na_fase "$1" 1; }

# The two games of a two-player session: Zorbo walks, Velna walks and Zorbo
# answers; then Velna answers, and the pause.
# A robot that does not start leaves the points at 0: the checks say so.
cena_zorbo() { robo_iniciar 1-99 0; cena_caminhada; conferir_respostas 1; }
cena_velna() { robo_iniciar 0 1-99; conferir_respostas 2; cena_pausa; }
