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

iniciar_x
iniciar_jogo
esperar_janela || exit 1
guardar "$(foto titulo)" titulo
tecla Down; tecla Down; tecla Return
guardar "$(foto instrucoes)" instrucoes
tecla Return; tecla Up; tecla Return   # two players
sleep 0.3
jogar_ate_marca 10 fase1
tecla F5
sleep 1.5
guardar "$(foto transicao)" transicao
esperar_cobertura aceso 8
jogar_ate_marca 6 fase2
tecla F5
sleep 5
guardar "$(foto final)" final
tecla Return
tecla Up; tecla Return                 # one player, left alone until it is over
for _ in $(seq 120); do
  sleep 0.5
  s=$(foto fim)
  [ "$(diferencas_regiao "$s" 300 300 "$DADOS/abertura/game_over.bmp" 300 300 20 20)" = 0 ] && break
done
sleep 0.5
guardar "$(foto gameover)" game_over
tecla Return
tecla Escape
esperar_fim 10
for f in "$DOCS"/*.png; do convert "$f" -strip "$f"; done
