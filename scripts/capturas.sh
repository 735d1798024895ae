#!/usr/bin/env bash
# Takes the screenshots of docs/ from the real game in Xvfb: the title, the
# instructions, both stages of a two-player game in play (walking and
# answering arrows until hit marks show), the transition and the end screens.
# Usage: scripts/capturas.sh [BUILD_DIR]   (a native build with the game)
set -uo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build}"
source "$RAIZ/tests/e2e/lib.sh" "$BUILD/ritmuro" "$RAIZ/data" "$BUILD/tests/referencia_e2e"
DOCS="$RAIZ/docs"
ROBO=$(robo_compilar) || exit 1

guardar() { cp "$1" "$DOCS/$2.png"; log "docs/$2.png"; }

# Player N's character is drawn in the shot, facing either way (it blinks,
# and so vanishes on some frames, after a wall has hit it).
personagem_visivel() {
  x_do_personagem "$1" "$2" esq > /dev/null || x_do_personagem "$1" "$2" dir > /dev/null
}

# What a shot shows of the play: one point per lane with a hit mark, two when
# both characters are drawn; among shots that show as much, the one with
# more walls on screen (pure-black pixels of the playfield) is better.
nota_da_foto() {
  local nota=0 x
  for x in 9 40 71 102; do sprite_em "$1" setas/exclamacao.bmp "$x" 38 > /dev/null && { nota=$((nota + 1)); break; }; done
  for x in 508 539 570 601; do sprite_em "$1" setas/exclamacao.bmp "$x" 38 > /dev/null && { nota=$((nota + 1)); break; }; done
  personagem_visivel "$1" 1 && personagem_visivel "$1" 2 && nota=$((nota + 2))
  echo "$nota $(contar_preto "$1" 141 29 359 441)"
}

# Both lanes are answered by the screen-reading robot for $1 seconds while
# shots are taken; the first shot that shows the most (hit marks in both
# lanes and both characters, see nota_da_foto) is saved as docs/$2.png. Call
# it right after a stage starts.
jogar_ate_marca() {
  "$ROBO" "$1" &
  local robo=$! n=0
  while kill -0 "$robo" 2>/dev/null; do
    n=$((n + 1)); import -window root "$TMP_E2E/jogo_$(printf %03d $n).png"; sleep 0.15
  done
  tecla p   # paused while the shots are looked through
  local f melhor="" nota muros maior=-1 maisMuros=-1
  for f in "$TMP_E2E"/jogo_*.png; do
    read -r nota muros < <(nota_da_foto "$f")
    if [ "$nota" -gt "$maior" ] || { [ "$nota" = "$maior" ] && [ "$muros" -gt "$maisMuros" ]; }; then
      maior=$nota; maisMuros=$muros; melhor="$f"
    fi
  done
  log "docs/$2.png: the best of $n shots scores $maior of 4, with $maisMuros wall pixels"
  cp "$melhor" "$TMP_E2E/escolhida_$2.png"
  rm -f "$TMP_E2E"/jogo_*.png
  guardar "$TMP_E2E/escolhida_$2.png" "$2"
  tecla p
}

# Waits for a state on screen, or gives up on the screenshots.
ver() {  # ver SECONDS NAME CONDITION [ARGS...]
  esperar "$@" || { log "not on screen: $3 ${*:4}"; exit 1; }
}
# One of the three finish pictures; the game-over picture with its score
# written (the screen stands still).
tela_final() {
  local f
  for f in zorbo velna draw; do mostra "$1" "abertura/finish_$f.bmp" 0 100 640 380 > /dev/null && return 0; done
  return 1
}
tela_game_over() { tela_parada "$1" && mostra "$1" abertura/game_over.bmp 0 100 640 380; }

iniciar_x
iniciar_jogo
esperar_janela || exit 1
ver 10 titulo tela_igual "$(titulo_esperado 0)"
guardar "$TMP_E2E/titulo.png" titulo
tecla Down; tecla Down; tecla Return
ver 10 instrucoes tela_igual "$(instrucoes_esperadas)"
guardar "$TMP_E2E/instrucoes.png" instrucoes
tecla Return
ver 10 titulo2 tela_igual "$(titulo_esperado 2)"
tecla Up
ver 10 titulo1 tela_igual "$(titulo_esperado 1)"
tecla Return                            # two players
ver 10 fase1 na_fase 1
jogar_ate_marca 10 fase1
tecla F5
ver 8 transicao cobertura_apagada       # the transition's first frame
guardar "$TMP_E2E/transicao.png" transicao
ver 8 fase2 na_fase 2
jogar_ate_marca 6 fase2
tecla F5
ver 10 final tela_final
guardar "$TMP_E2E/final.png" final
tecla Return
ver 10 titulo1 tela_igual "$(titulo_esperado 1)"
tecla Up
ver 10 titulo0 tela_igual "$(titulo_esperado 0)"
tecla Return                            # one player, left alone until it is over
ver 90 gameover tela_game_over
guardar "$TMP_E2E/gameover.png" game_over
tecla Return
ver 10 titulo0 tela_igual "$(titulo_esperado 0)"
tecla Escape
esperar_fim 10
for f in "$DOCS"/*.png; do convert "$f" -strip "$f"; done
