#!/usr/bin/env bash
# Takes the screenshots of docs/ from the real game in Xvfb: the title, the
# instructions, both stages of a two-player game in play (walking and
# answering arrows until hit marks show), the transition and the end screens.
# Usage: scripts/capturas.sh [BUILD_DIR]   (a native build with the game and
# tests/olho_tela, the screen reader; it is built here when missing)
set -uo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build}"
source "$RAIZ/scripts/lib/comum.sh"
source "$RAIZ/scripts/lib/verificacoes.sh"
source "$RAIZ/scripts/lib/xvfb.sh"
source "$RAIZ/scripts/lib/jogo.sh"
jogo_preparar "$BUILD/ritmuro" "$RAIZ/data" "$BUILD/tests/olho_tela"
DOCS="$RAIZ/docs"

# A picture the reader kept, written for people: a PNG without metadata.
guardar() { convert "$TMP_E2E/$1.bmp" -strip "$DOCS/$2.png"; log "docs/$2.png"; }

# Player N's character is drawn in the shot, facing either way (it blinks,
# and so vanishes on some frames, after a wall has hit it).
personagem_visivel() {
  ver "$1" personagem "$2" esq > /dev/null || ver "$1" personagem "$2" dir > /dev/null
}

# What a shot shows of the play: one point per lane with a hit mark, two when
# both characters are drawn; among shots that show as much, the one with
# more walls on screen (pure-black pixels of the playfield) is better.
nota_da_foto() {
  local nota=0 x
  for x in 9 40 71 102; do ver "$1" sprite setas/exclamacao.bmp "$x" 38 > /dev/null && { nota=$((nota + 1)); break; }; done
  for x in 508 539 570 601; do ver "$1" sprite setas/exclamacao.bmp "$x" 38 > /dev/null && { nota=$((nota + 1)); break; }; done
  personagem_visivel "$1" 1 && personagem_visivel "$1" 2 && nota=$((nota + 2))
  echo "$nota $(ver "$1" preto 141 29 359 441 || echo 0)"
}

# Both lanes are answered by the reader's robot for $1 seconds while shots
# are taken; the first shot that shows the most (hit marks in both lanes and
# both characters, see nota_da_foto) is saved as docs/$2.png. Call it right
# after a stage starts.
jogar_ate_marca() {
  "$OLHO" responder "$1" &
  local robo=$! n=0
  while kill -0 "$robo" 2>/dev/null; do
    n=$((n + 1)); esperar 1 "jogo_$(printf %03d $n)" desenhada > /dev/null; sleep 0.15
  done
  tecla p   # paused while the shots are looked through
  local f melhor="" nota muros maior=-1 maisMuros=-1
  for f in "$TMP_E2E"/jogo_*.bmp; do
    f=$(basename "$f" .bmp)
    read -r nota muros < <(nota_da_foto "$f")
    if [ "$nota" -gt "$maior" ] || { [ "$nota" = "$maior" ] && [ "$muros" -gt "$maisMuros" ]; }; then
      maior=$nota; maisMuros=$muros; melhor="$f"
    fi
  done
  log "docs/$2.png: the best of $n shots scores $maior of 4, with $maisMuros wall pixels"
  guardar "$melhor" "$2"
  rm -f "$TMP_E2E"/jogo_*.bmp
  tecla p
}

# Waits for a state on screen, or gives up on the screenshots.
aguardar() {  # aguardar SECONDS NAME CONDITION...
  esperar "$@" || { log "not on screen: ${*:3}"; exit 1; }
}
# One of the three finish pictures.
tela_final() {
  local f limite=$((SECONDS + 10))
  while [ "$SECONDS" -lt "$limite" ]; do
    for f in zorbo velna draw; do
      esperar 0 final regiao "abertura/finish_$f.bmp" 0 100 640 380 > /dev/null && return 0
    done
  done
  log "not on screen: a finish picture"
  exit 1
}

iniciar_x
iniciar_jogo
esperar_janela || exit 1
# shellcheck disable=SC2046  # the words of the expected pictures
{
aguardar 10 titulo $(titulo_esperado 0)
guardar titulo titulo
tecla Down; tecla Down; tecla Return
aguardar 10 instrucoes $(instrucoes_esperadas)
guardar instrucoes instrucoes
tecla Return
aguardar 10 titulo2 $(titulo_esperado 2)
tecla Up
aguardar 10 titulo1 $(titulo_esperado 1)
tecla Return                            # two players
aguardar 10 fase1 fase 1
jogar_ate_marca 10 fase1
tecla F5
aguardar 8 transicao apagado 0 0 640 29  # the transition's first frame
guardar transicao transicao
aguardar 8 fase2 fase 2
jogar_ate_marca 6 fase2
tecla F5
tela_final
guardar final final
tecla Return
aguardar 10 titulo1 $(titulo_esperado 1)
tecla Up
aguardar 10 titulo0 $(titulo_esperado 0)
tecla Return                            # one player, left alone until it is over
aguardar 90 gameover --parada regiao abertura/game_over.bmp 0 100 640 380
guardar gameover game_over
tecla Return
aguardar 10 titulo0 $(titulo_esperado 0)
}
tecla Escape
esperar_fim 10
