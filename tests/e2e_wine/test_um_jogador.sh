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
  local tela="$1" linhas_muros="$WINE_TMP/linhas_muros.txt" altura
  convert "$WINE_DADOS"/fileiras/fileiraMuros1_*.bmp -append "$WINE_TMP/muros1.png"
  altura=$(identify -format %h "$WINE_TMP/muros1.png")
  wine_mascara_preta "$WINE_TMP/muros1.png" 0 0 359 "$altura" > "$linhas_muros"
  wine_mascara_preta "$tela" 141 29 359 441 > "$WINE_TMP/linhas_tela.txt"
  awk -v muros="$linhas_muros" '
    BEGIN { while ((getline l < muros) > 0) conhecida[l] = 1 }
    /1/ { comMuro++; if (!($0 in conhecida)) { estranha++; if (!primeira) primeira = NR + 28 } }
    END {
      printf "  %d playfield rows with black, %d of them not a row of a stage-1 wall picture", comMuro, estranha
      if (estranha) printf " (first at screen row %d)", primeira
      printf "\n"
      exit !(comMuro > 0 && estranha == 0)
    }' "$WINE_TMP/linhas_tela.txt"
}

preto_no_campo() {
  local n
  n=$(wine_contar_preto "$1" 141 29 359 441)
  echo "  $n pure-black pixels in the playfield"
  wine_positivo "$n"
}

partida() {
  wine_abrir_jogo || return
  wine_verificar "the title is on screen" wine_tela_igual "$(wine_foto titulo0)" "$(wine_titulo_esperado 0)"
  wine_segurar_tecla Return
  sleep 0.6
  # Shots now, checks later: both stages are skipped with F5 before their
  # first arrow is judged (3.8 s in), so the score is known.
  local s1 s2 t
  s1=$(wine_foto fase1)
  wine_segurar_tecla F5
  sleep 1
  t=$(wine_foto transicao)
  wine_verificar "stage 2 starts after the transition" wine_esperar_cobertura aceso 10
  s2=$(wine_foto fase2)
  wine_segurar_tecla F5

  wine_verificar "stage 1: walls (pure black) are falling in the playfield" preto_no_campo "$s1"
  wine_verificar "stage 1: the black rows are rows of stage 1's wall pictures at x 141" muros_da_fase1 "$s1"
  wine_verificar "stage 1: the lane's right strip (x 133..140) is cenario/fase1.bmp's" \
    wine_zero "$(wine_diferencas_regiao "$s1" 133 29 "$WINE_DADOS/cenario/fase1.bmp" 133 0 8 451)"
  wine_verificar "stage 1: the ground is cenario/chao1.bmp on the last playfield rows" \
    wine_zero "$(wine_diferencas_regiao "$s1" 141 470 "$WINE_DADOS/cenario/chao1.bmp" 0 0 359 10)"
  wine_verificar "stage 1: Zorbo ('P1 - esq.bmp') stands at (144, 426)" \
    wine_sprite_em "$s1" "personagens/P1 - esq.bmp" 144 426
  wine_verificar "stage 1: the cover strip carries the score panel and health bar" \
    wine_positivo "$(wine_maximo "$s1" 0 0 640 29)"
  wine_verificar "transition: the cover strip is cleared" wine_zero "$(wine_maximo "$t" 0 0 640 29)"
  wine_verificar "stage 2: the lane's right strip is cenario/fase2.bmp's" \
    wine_zero "$(wine_diferencas_regiao "$s2" 133 29 "$WINE_DADOS/cenario/fase2.bmp" 133 0 8 451)"

  # Both stages skipped at once: 3 lives and 100 % health left each time.
  local fim
  fim=$(wine_referencia abertura/finish_zorbo.bmp fim 50 50 preto "Zorbo: 120000") || return 1
  wine_verificar "finish screen: finish_zorbo.bmp with 'Zorbo: 120000' in black at (50, 50)" \
    wine_esperar_tela fim "$fim" 15
  wine_segurar_tecla Return
  sleep 0.5
  wine_verificar "Enter goes back to the title, on the entry that started the game" \
    wine_esperar_tela titulo "$(wine_titulo_esperado 0)" 5
  wine_segurar_tecla Escape
  wine_esperar_saida 20 || return
  wine_verificar "Esc on the title ends the game with exit code 0" wine_igual "$WINE_CODIGO" 0
}

wine_tentar 180 3 partida
wine_terminar
