#!/usr/bin/env bash
# Builds the 32-bit Windows game and packs it for players:
# dist/ritmuro-win32.zip holds one folder, ritmuro/, with ritmuro.exe and the
# picture folders it reads from its working directory beside it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/comum.sh"

PASTAS_DE_IMAGENS=(abertura cenario fileiras personagens sangue setas vidas)
DADOS="$RITMURO_RAIZ/data"
EXE="$RITMURO_RAIZ/build-win32/ritmuro.exe"
ZIP="$RITMURO_RAIZ/dist/ritmuro-win32.zip"

verificar_dados() {
  local pasta
  for pasta in "${PASTAS_DE_IMAGENS[@]}"; do
    compgen -G "$DADOS/$pasta/*.bmp" > /dev/null ||
      falha "$DADOS/$pasta não tem imagens (cmake --build <build> --target imagens as desenha)"
  done
}

TMP_ZIP=""
trap '[ -z "$TMP_ZIP" ] || rm -rf "$TMP_ZIP"' EXIT

empacotar() {
  TMP_ZIP="$(mktemp -d /tmp/ritmuro-zip.XXXXXX)"
  local raiz="$TMP_ZIP/ritmuro" pasta
  mkdir -p "$raiz"
  cp "$EXE" "$raiz/"
  for pasta in "${PASTAS_DE_IMAGENS[@]}"; do
    cp -r "$DADOS/$pasta" "$raiz/"
  done
  mkdir -p "$(dirname "$ZIP")"
  rm -f "$ZIP"
  (cd "$TMP_ZIP" && zip -q -r -X -9 "$ZIP" ritmuro)
}

main() {
  verificar_dados
  bash "$RITMURO_RAIZ/scripts/windows/build.sh" i686
  garantir_pacotes zip unzip
  empacotar
  unzip -tq "$ZIP" > /dev/null || falha "$ZIP não passou no teste do unzip"
  aviso "$ZIP: $(unzip -l "$ZIP" | tail -1 | awk '{print $2}') arquivos, $(du -h "$ZIP" | cut -f1)"
}

main "$@"
