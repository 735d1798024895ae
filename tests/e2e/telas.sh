# shellcheck shell=bash
# The scenes the end-to-end tests of the native game (lib.sh) and of the
# Windows game under wine (../e2e_wine/lib_wine.sh) both play, on the driver
# of scripts/lib/jogo.sh: keys (tecla, segurar, soltar, which wine holds
# longer; tocar_ate, a key held until what it does shows), waits for what
# the screen shows (esperar, esperar_quadros) and checks of a picture a wait
# kept (ver).
#
# Every wait is for a state the game shows. Where a position is read or a
# picture must not change, the picture is one that stood still (--parada: no
# new frame for several of the game's frame intervals as it draws now, and
# at least half a second), never one lucky screenshot.

igual() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'"; return 1; }; }

# Stage N under way: the score panel and health bar on the cover strip, the
# stage's background beside the lane and walls (pure black) falling in the
# playfield, not the black frame that ends the transition. Words of a
# condition.
fase_em_curso() { echo "aceso 0 0 640 29 e fase $1 e preto 141 29 359 441"; }

# ------------------------------------------------------------------ one player

# From the title with entry 0 selected: a one-player game through stage 1,
# the transition, stage 2 and the finish screen, back to the title. Each
# stage is skipped with F5 as soon as it shows, long before its first arrow
# is judged (240 frames in), so the score is known. After each key:
#   Enter  stage 1 under way;            F5  the cover strip black (transition);
#   then   stage 2 under way;            F5  the strip black again;
#   then   the finish screen with the score;  Enter  the title, entry 0.
cena_um_jogador() {
  # shellcheck disable=SC2046  # the words of the condition
  verificar "Enter on entry 0 starts stage 1 (cenario/fase1.bmp beside the lane, HUD lit, walls falling)" \
    tocar_ate 30 fase1 Return $(fase_em_curso 1)
  verificar "F5 ends stage 1: the transition clears the cover strip" tocar_ate 20 transicao F5 apagado 0 0 640 29
  # shellcheck disable=SC2046
  verificar "stage 2 starts after the transition (cenario/fase2.bmp beside the lane, walls falling)" \
    esperar 30 fase2 $(fase_em_curso 2)
  verificar "F5 ends stage 2: the second transition clears the strip" tocar_ate 20 transicao2 F5 apagado 0 0 640 29

  verificar "stage 1: the black rows are rows of stage 1's wall pictures at x 141" \
    ver fase1 muros "$DADOS"/fileiras/fileiraMuros1_*.bmp
  verificar "stage 1: the ground is cenario/chao1.bmp on the last playfield rows" \
    ver fase1 regiao cenario/chao1.bmp 141 470 359 10 0 0
  verificar "stage 1: Zorbo ('P1 - esq.bmp') stands at (144, 426)" ver fase1 sprite "personagens/P1 - esq.bmp" 144 426
  verificar "stage 1: Zorbo has 0 points" ver fase1 pontos 1 igual 0
  verificar "transition: only the scenery is drawn, the lanes are black" ver transicao apagado 0 29 141 451

  # Both stages skipped at once: 3 lives and 100 % health left each time.
  verificar "finish screen: finish_zorbo.bmp with 'Zorbo: 120000' in black at (50, 50), no second line" \
    esperar 30 fim igual abertura/finish_zorbo.bmp texto 50 50 preto "Zorbo: 120000"
  # shellcheck disable=SC2046
  verificar "Enter goes back to the title, on the entry that started the game" \
    tocar_ate 20 titulo Return $(titulo_esperado 0)
}

# ------------------------------------------------------------------ two players

# The robot answering the arrows of the lanes (olho_tela responder):
# robo_iniciar ARROWS_P1 ARROWS_P2. It must start while the top of both lanes
# is still clear, as a stage begins.
ROBO_PID=""
robo_iniciar() {
  "$OLHO" responder 300 "$1" "$2" 250 > "$TMP_E2E/robo.log" 2>&1 &
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
FASE_A_DOIS_INICIO=(aceso 0 0 640 29 e sprite "personagens/P1 - esq.bmp" 144 426
                    e sprite "personagens/P2 - esq.bmp" 464 426)

# From the title with entry 1 selected, a new two-player game; then SCENE
# (one of the cena_ functions below), then Esc back to the title, where
# entry 1 is still selected. The walls reach the characters' heads about 6 s
# into stage 1 and put both out some seconds later, so each scene has a game
# of its own. Enter is held until stage 1 shows both characters at their
# start, then five new frames tell the reader how fast the game draws now;
# Esc is held until the title shows (a held Esc must not leave the title).
partida_a_dois() {  # partida_a_dois SCENE
  verificar "Enter on entry 1 starts a two-player game" tocar_ate 30 inicio_dois Return "${FASE_A_DOIS_INICIO[@]}"
  esperar_quadros 20 5 > /dev/null
  "$1"
  # shellcheck disable=SC2046  # the words of the expected picture
  verificar "Esc during a stage opens the title, entry 1 still selected" \
    tocar_ate 30 esc Escape $(titulo_esperado 1)
}

# While the game is paused: walks player N's character, which stands at
# column X, towards SIDE by holding KEY through one short run of the game,
# and pauses it again. Each key waits for what the game shows, so a key the
# game is slow to see (a busy machine; wine, which hands the game its keys
# late) is waited for, and the walk stays short:
#   KEY held, P held until the game draws a new frame (it goes on; see
#                    retomar);
#   P let go         until the character has left column X, so that the
#                    game's key guard can see P up (a KEY that does not
#                    move it over 30 frames is let go and pressed again);
#   KEY let go       until the character stands at one column over five new
#                    frames: the game has seen KEY up, and no step of it is
#                    left for later;
#   P held           until stage 1 stands still (paused), read above the
#                    characters' heads (row 426: a character at the
#                    playfield's left edge covers the strip's last columns
#                    lower down). A P the guard did not take shows as frames
#                    that keep coming: P is let go for five frames and held
#                    again.
# That still picture stays as parado.bmp.
passo() {  # passo KEY N SIDE X
  local vez rumo=maior
  [ "$3" = esq ] && rumo=menor
  segurar "$1"
  retomar || echo "  passo $1: P did not resume the game"
  # A walk key wine lost shows as a character that stays put while the
  # frames come: let go and pressed again.
  for vez in 1 2 3; do
    esperar 20 anda --ate-quadros 30 personagem "$2" "$3" "$rumo" "$4" > /dev/null && break
    echo "  passo $1: player $2's character did not leave x $4 (try $vez)"
    soltar "$1"
    sleep "$TEMPO_TECLA"
    segurar "$1"
  done
  soltar "$1"
  esperar 20 andou --quadros-iguais 5 personagem "$2" "$3" > /dev/null ||
    echo "  passo $1: player $2's character did not stop once $1 was let go"
  for vez in 1 2 3; do
    segurar p
    esperar 20 parado --parada --ate-quadros 60 fase 1 397 && break
    echo "  passo $1: P did not pause stage 1 again (try $vez)"
    soltar p
    esperar_quadros 20 5 > /dev/null
  done
  soltar p
}

# The paused game goes on: P is held until the game draws a new frame, and
# let go. The pause ends only on a P pressed after the game has seen the
# last P up, which wine can hand it late: a P that brings no new frame in
# five seconds is let go for as long as a key is held, and pressed again.
retomar() {
  local vez
  for vez in 1 2 3; do
    segurar p
    esperar_quadros 5 1 > /dev/null && { soltar p; return 0; }
    soltar p
    sleep "$TEMPO_TECLA"
  done
  return 1
}

# Each character walks both ways with its own player's walking keys while
# the other stays where it was: its keys move nobody else. The positions are
# read on still pictures of the paused game between short runs of it (passo),
# long before the walls come down to the characters' heads; "stays" compares
# two still pictures. After each key: P, stage 1 still; then each passo (see
# above); the last P, a new picture.
cena_caminhada() {
  local x1 x2
  verificar "P pauses stage 1 as it starts" tocar_ate 20 parado p --parada --ate-quadros 60 fase 1
  passo h 1 dir 144
  verificar "H walks Zorbo right; Velna stays at x 464 facing left" \
    ver parado personagem 1 dir maior 144 e personagem 2 esq igual 464
  x1=$(ver parado personagem 1 dir) || x1=""
  passo Left 2 esq 464
  verificar "Left walks Velna left; Zorbo stays at x $x1" \
    ver parado personagem 2 esq menor 464 e personagem 1 dir igual "${x1:-0}"
  x2=$(ver parado personagem 2 esq) || x2=""
  passo g 1 esq "${x1:-0}"
  verificar "G walks Zorbo back left; Velna stays at x $x2" \
    ver parado personagem 1 esq menor "${x1:-0}" e personagem 2 esq igual "${x2:-0}"
  x1=$(ver parado personagem 1 esq) || x1=""
  passo Right 2 dir "${x2:-0}"
  verificar "Right walks Velna back right; Zorbo stays at x $x1" \
    ver parado personagem 2 dir maior "${x2:-0}" e personagem 1 esq igual "${x1:-0}"
  verificar "P resumes the game after the walks" tocar_ate 20 caminhada_retomada p mudou "$TMP_E2E/parado.bmp"
}

# Player N's answer keys score in lane N only. Both lanes show the same
# arrows at the same moments, so the robot (started as the stage began)
# answers lane N alone: player N's points rise while the other's stay 0.
conferir_respostas() {  # conferir_respostas N
  local outro=$((3 - $1)) teclas="W S A D"
  [ "$1" = 2 ] && teclas="keypad 5 2 1 3"
  verificar "player $1's keys ($teclas) answer the arrows of lane $1: its points rise" \
    esperar 60 "pontos$1" pontos "$1" maior 0
  robo_parar
  verificar "player $outro's points stay 0: player $1's keys answer no other lane" \
    ver "pontos$1" pontos "$outro" igual 0
}

# In stage 1, P pauses: the picture stops and Esc is ignored; P again goes
# on. After P: stage 1 still; after Esc: the same still picture; after P:
# a new picture, and new frames once P is up.
cena_pausa() {
  verificar "P pauses: stage 1's picture stops changing" tocar_ate 20 pausa p --parada --ate-quadros 60 fase 1
  # The paused picture is read again once P is up: a game that stalled on a
  # busy machine can look still for a moment before it has seen P at all.
  esperar 20 pausada --parada fase 1 > /dev/null
  tecla Escape
  verificar "paused, Esc changes nothing: the game stays on the paused picture" \
    esperar 20 pausa_esc --parada mesma "$TMP_E2E/pausada.bmp"
  verificar "P again resumes the game" tocar_ate 20 retomada p mudou "$TMP_E2E/pausada.bmp"
  # P, Esc and F5 share the game's key guard: the Esc that follows counts
  # only once the game has seen P up, some frames on.
  verificar "the game goes on once P is up" esperar_quadros 20 5
}

# The two games of a two-player session: Zorbo walks, Velna walks and Zorbo
# answers; then Velna answers, and the pause.
# A robot that does not start leaves the points at 0: the checks say so.
cena_zorbo() { robo_iniciar 1-99 0; cena_caminhada; conferir_respostas 1; }
cena_velna() { robo_iniciar 0 1-99; conferir_respostas 2; cena_pausa; }
