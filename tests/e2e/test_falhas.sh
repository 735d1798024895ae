#!/usr/bin/env bash
# Every picture the game loads, in turn missing, empty, cut in half or replaced
# by a file that is not a BMP: the program must end with exit code -1 and a
# message that names that file and the working directory; never a crash, never
# a hang.
#
# The library shows the message by running `xmessage` from the PATH. Here
# `xmessage` is a stand-in that writes its arguments to a log and answers like
# a click on OK (exit code 101), so the 316 runs need no box to be dismissed;
# test_arranque.sh covers the real box.
source "$(dirname "$0")/lib.sh"

FONTES="$(readlink -f "$DADOS/../src")"
REGRESSAO="$(readlink -f "$DADOS/../tests/regressao_bmp")"
LIMITE_S=15

# The paths exactly as the game loads them, from its headers.
mapfile -t CAMINHOS < <(grep -ho '"[^"]*\.bmp"' "$FONTES/imagens.h" "$FONTES/Sangue.h" | tr -d '"' | sort -u)
mapfile -t ARQUIVOS < <(cd "$DADOS" && find . -name '*.bmp' | sort)
normalizados=$(printf '%s\n' "${CAMINHOS[@]}" | sed 's|^\./||' | sort)
existentes=$(printf '%s\n' "${ARQUIVOS[@]}" | sed 's|^\./||' | sort)
verificar "the game loads ${#CAMINHOS[@]} pictures, the same files data/ holds" \
  igual "$normalizados" "$existentes"

BIN="$TMP_E2E/bin"
mkdir -p "$BIN"
cat > "$BIN/xmessage" <<'EOF'
#!/bin/sh
# Stand-in for the message box: records the arguments, answers OK.
for arg in "$@"; do printf '%s\n' "$arg"; done >> "$XMESSAGE_LOG"
exit 101
EOF
chmod +x "$BIN/xmessage"

printf 'isto nao e uma imagem\n%.0s' $(seq 200) > "$TMP_E2E/texto.txt"

estragar() {  # estragar falta arquivo original
  case "$1" in
    ausente) rm -f "$2" ;;
    vazio) : > "$2" ;;
    metade) head -c $(( $(stat -c %s "$3") / 2 )) "$3" > "$2" ;;
    nao_bmp) cp "$TMP_E2E/texto.txt" "$2" ;;
    rle) cp "$REGRESSAO/rle8_corridas_maiores_que_a_linha.bmp" "$2" ;;
  esac
}

# Runs the game once, in its own copy of data/, with one broken picture;
# prints what went wrong, if anything.
uma_falha() {  # uma_falha falta caminho
  local falta="$1" caminho="$2" relativo="${2#./}"
  local copia="$TMP_E2E/dados_$falta" registro="$TMP_E2E/$falta"
  local esperada="Nao foi possivel carregar $caminho (pasta atual: $copia)"
  estragar "$falta" "$copia/$relativo" "$DADOS/$relativo"
  local codigo
  : > "$registro.xmessage"
  (cd "$copia" && PATH="$BIN:$PATH" XMESSAGE_LOG="$registro.xmessage" \
    timeout -k 2 "$LIMITE_S" "$JOGO") > "$registro.saida" 2> "$registro.erros"
  codigo=$?
  cp "$DADOS/$relativo" "$copia/$relativo"
  if [ "$codigo" = 124 ] || [ "$codigo" = 137 ]; then
    echo "$falta $caminho: still running after ${LIMITE_S} s"
  elif [ "$codigo" != 255 ]; then
    echo "$falta $caminho: exit code $codigo, expected 255"
  elif ! grep -qxF "ritmuro: $esperada" "$registro.erros"; then
    echo "$falta $caminho: console message was: $(head -3 "$registro.erros")"
  elif ! grep -qxF "$esperada" "$registro.xmessage"; then
    echo "$falta $caminho: the box was given: $(tr '\n' ' ' < "$registro.xmessage")"
  fi
}

# Every picture with one fault, in a copy of data/ of the fault's own.
todas() {  # todas falta
  cp -r "$DADOS" "$TMP_E2E/dados_$1"
  for caminho in "${CAMINHOS[@]}"; do
    uma_falha "$1" "$caminho"
  done > "$TMP_E2E/erradas_$1.txt"
}

# A client that connects and leaves again and again, as xdotool and xwininfo
# do in the other tests: the games must connect whatever comes and goes
# beside them (an X server that reset when its last client left would drop a
# game's connection before answering it, and the library would not start).
# It stops by itself once the server is gone.
clientes_de_passagem() {
  while kill -0 "$XVFB_PID" 2> /dev/null; do xwininfo -root > /dev/null 2>&1; done
}

iniciar_x
FALTAS=(ausente vazio metade nao_bmp)
# The four faults run side by side: each run mostly waits for the X server.
clientes_de_passagem &
PASSAGEM=$!
TRABALHOS=()
for falta in "${FALTAS[@]}"; do
  todas "$falta" &
  TRABALHOS+=($!)
done
wait "${TRABALHOS[@]}"
kill "$PASSAGEM"
wait "$PASSAGEM" 2>/dev/null
for falta in "${FALTAS[@]}"; do
  erradas="$TMP_E2E/erradas_$falta.txt"
  log "$falta: ${#CAMINHOS[@]} runs, $(wc -l < "$erradas") wrong"
  head -5 "$erradas"
  verificar "each picture $falta: exit code -1 and the message names it" test ! -s "$erradas"
done

# An RLE8 arrow whose runs are longer than its rows (the library's reader
# would write past the picture): refused at start-up like the others.
cp -r "$DADOS" "$TMP_E2E/dados_rle"
uma_falha rle setas/setau1m.bmp > "$TMP_E2E/erradas_rle.txt"
head -5 "$TMP_E2E/erradas_rle.txt"
verificar "an RLE arrow whose runs leave its rows: exit code -1 and the message names it" \
  test ! -s "$TMP_E2E/erradas_rle.txt"

# The box stand-in was asked the way the library asks for an OK box.
uma_falha ausente ./abertura/back.bmp > /dev/null
verificar "the message goes to a box with a single OK button" grep -qx 'OK:101' "$TMP_E2E/ausente.xmessage"

terminar
