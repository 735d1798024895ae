#!/usr/bin/env bash
# A one-player game of the Windows game under wine: stage 1 on screen (walls,
# lane, Zorbo), F5 through both stages to the finish screen with the score,
# Enter back to the title and Esc out with exit code 0.
#   test_um_jogador.sh [EXE [DADOS [REFERENCIA]]]
set -uo pipefail
source "$(dirname "$0")/lib_wine.sh" "$@"

# Every row of the playfield (x 141..499, screen rows 29..469, above the
# ground) that has pure-black pixels must be, pixel for pixel, a row of one of
# stage 1's wall pictures, which are drawn at x 141: the scenery has no pure
# black, so black there can only be walls. Prints how many rows had walls.
muros_da_fase1() {
  local tela="$1" linhas_muros="$TMP_E2E/linhas_muros.txt" altura
  convert "$DADOS"/fileiras/fileiraMuros1_*.bmp -append "$TMP_E2E/muros1.png"
  altura=$(identify -format %h "$TMP_E2E/muros1.png")
  mascara_preta "$TMP_E2E/muros1.png" 0 0 359 "$altura" > "$linhas_muros"
  mascara_preta "$tela" 141 29 359 441 > "$TMP_E2E/linhas_tela.txt"
  awk -v muros="$linhas_muros" '
    BEGIN { while ((getline l < muros) > 0) conhecida[l] = 1 }
    /1/ { comMuro++; if (!($0 in conhecida)) { estranha++; if (!primeira) primeira = NR + 28 } }
    END {
      printf "  %d playfield rows with black, %d of them not a row of a stage-1 wall picture", comMuro, estranha
      if (estranha) printf " (first at screen row %d)", primeira
      printf "\n"
      exit !(comMuro > 0 && estranha == 0)
    }' "$TMP_E2E/linhas_tela.txt"
}

preto_no_campo() {
  local n
  n=$(contar_preto "$1" 141 29 359 441)
  echo "  $n pure-black pixels in the playfield"
  positivo "$n"
}

# Stage N under way: the score panel and health bar on the cover strip, the
# stage's background beside the lane and walls falling in the playfield (not
# the black frame that ends the transition).
fase_em_curso() { cobertura_acesa "$1" && na_fase "$1" "$2" && preto_no_campo "$1" > /dev/null; }

partida() {
  wine_abrir_jogo || return
  verificar "the title is on screen" esperar_tela titulo0 "$(titulo_esperado 0)" 30
  tecla Return
  # Both stages are skipped with F5 as soon as they show, long before their
  # first arrow is judged (240 frames in), so the score is known.
  verificar "Enter on entry 0 starts stage 1 (cenario/fase1.bmp beside the lane, walls falling)" \
    esperar 30 fase1 fase_em_curso 1
  local s1="$TMP_E2E/fase1.png" t="$TMP_E2E/transicao.png" s2="$TMP_E2E/fase2.png"
  tecla F5
  verificar "F5 ends stage 1: the transition clears the cover strip" esperar_cobertura apagado 20
  cp "$TMP_E2E/cobertura.png" "$t"
  verificar "stage 2 starts after the transition (cenario/fase2.bmp beside the lane, walls falling)" \
    esperar 30 fase2 fase_em_curso 2
  tecla F5

  verificar "stage 1: walls (pure black) are falling in the playfield" preto_no_campo "$s1"
  verificar "stage 1: the black rows are rows of stage 1's wall pictures at x 141" muros_da_fase1 "$s1"
  verificar "stage 1: the ground is cenario/chao1.bmp on the last playfield rows" \
    zero "$(diferencas_regiao "$s1" 141 470 "$DADOS/cenario/chao1.bmp" 0 0 359 10)"
  verificar "stage 1: Zorbo ('P1 - esq.bmp') stands at (144, 426)" \
    sprite_em "$s1" "personagens/P1 - esq.bmp" 144 426
  verificar "transition: only the scenery is drawn, the lanes are black" zero "$(maximo "$t" 0 29 141 451)"

  # Both stages skipped at once: 3 lives and 100 % health left each time.
  local fim
  fim=$(referencia abertura/finish_zorbo.bmp fim 50 50 preto "Zorbo: 120000") || return 1
  verificar "finish screen: finish_zorbo.bmp with 'Zorbo: 120000' in black at (50, 50)" \
    esperar_tela fim "$fim" 30
  tecla Return
  verificar "Enter goes back to the title, on the entry that started the game" \
    esperar_tela titulo "$(titulo_esperado 0)" 20
  tecla Escape
  wine_esperar_saida 30 || return
  verificar "Esc on the title ends the game with exit code 0" igual "$WINE_CODIGO" 0
}

wine_tentar 240 3 partida
wine_terminar
