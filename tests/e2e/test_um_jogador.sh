#!/usr/bin/env bash
# A one-player game from the title menu through stage 1, the transition,
# stage 2 and the finish screen, then back to the title and out.
source "$(dirname "$0")/lib.sh"

iniciar_x
iniciar_jogo
esperar_janela || { falha "the game opens a window"; terminar; }
tecla Return
# Shots are checked later: each stage is skipped with F5 as soon as it shows,
# before its first arrow is judged (3.8 s in), so the score is known.
esperar 10 fase1 na_fase 1
s1="$TMP_E2E/fase1.png"
tecla F5
esperar_cobertura apagado 8
t="$TMP_E2E/transicao.png"
cp "$TMP_E2E/cobertura.png" "$t"
verificar "stage 2 starts after the transition" esperar_cobertura aceso 8
s2=$(foto fase2)
tecla F5
esperar_cobertura apagado 4; apagou=$?
verificar "stage 1: the lane's background is stage 1's" \
  zero "$(diferencas_regiao "$s1" 133 29 "$DADOS/cenario/fase1.bmp" 133 0 8 451)"
verificar "stage 1: the ground is drawn on the last playfield rows" \
  zero "$(diferencas_regiao "$s1" 141 470 "$DADOS/cenario/chao1.bmp" 0 0 359 10)"
verificar "stage 1: Zorbo stands at x 144 facing left" sprite_em "$s1" "personagens/P1 - esq.bmp" 144 426
verificar "stage 1: walls are falling in the playfield" \
  positivo "$(contar_preto "$s1" 141 29 359 400)"
verificar "stage 1: the cover strip carries the HUD" positivo "$(maximo "$s1" 0 0 640 29)"
verificar "transition: the cover strip is cleared" zero "$(maximo "$t" 0 0 640 29)"
verificar "transition: only the scenery is drawn, the lanes are black" \
  zero "$(maximo "$t" 0 29 141 451)"

verificar "stage 2: the lane's background is stage 2's" \
  zero "$(diferencas_regiao "$s2" 133 29 "$DADOS/cenario/fase2.bmp" 133 0 8 451)"
verificar "the second transition clears the strip" test "$apagou" = 0
# Both stages skipped at once: 3 lives and 100 % left each time.
esperado=$(referencia abertura/finish_zorbo.bmp fim 50 50 preto "Zorbo: 120000")
verificar "finish screen: Zorbo's picture with 'Zorbo: 120000' and no second line" \
  esperar_tela fim "$esperado" 10
tecla Return
verificar "Enter goes back to the title, on the entry that started the game" \
  esperar_tela titulo "$(titulo_esperado 0)" 10
tecla Escape
esperar_fim 10
verificar "Esc on the title ends the program with exit code 0" igual "$CODIGO" 0
terminar
