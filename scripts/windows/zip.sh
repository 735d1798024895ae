#!/usr/bin/env bash
# Builds the 32-bit Windows game and packs it for players:
# dist/ritmuro-win32.zip holds one folder, ritmuro/, with ritmuro.exe and the
# picture folders it reads from its working directory beside it.
# The same commit gives the same zip, byte for byte, wherever and whenever it
# is packed: entries in one fixed order, each with the release's time stamp
# (SOURCE_DATE_EPOCH, scripts/lib/epoca.sh) and fixed modes, and no extra
# fields (owners, precise times).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/epoca.sh"

mapfile -t PASTAS_DE_IMAGENS < <(pastas_de_imagens)
DADOS="$RITMURO_RAIZ/data"
EXE="$RITMURO_RAIZ/build-win32/ritmuro.exe"
ZIP="$RITMURO_RAIZ/dist/ritmuro-win32.zip"

verificar_dados() {
  local pasta
  for pasta in "${PASTAS_DE_IMAGENS[@]}"; do
    compgen -G "$DADOS/$pasta/*.bmp" > /dev/null ||
      abortar "$DADOS/$pasta has no pictures (cmake --build <build> --target imagens draws them)"
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
  # Whatever the umask and the times the copies got.
  find "$raiz" -type d -exec chmod 755 {} +
  find "$raiz" -type f -exec chmod 644 {} +
  chmod 755 "$raiz/ritmuro.exe"
  find "$raiz" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  mkdir -p "$(dirname "$ZIP")"
  rm -f "$ZIP"
  # zip writes local time: in UTC it is the same time stamp everywhere. The
  # names are given in byte order, folders before what they hold.
  (cd "$TMP_ZIP" && find ritmuro | LC_ALL=C sort | TZ=UTC zip -q -X -9 -@ "$ZIP")
}

main() {
  verificar_dados
  definir_epoca
  bash "$RITMURO_RAIZ/scripts/windows/build.sh" i686
  garantir_pacotes zip unzip
  empacotar
  unzip -tq "$ZIP" > /dev/null || abortar "$ZIP did not pass unzip's test"
  aviso "$ZIP: $(unzip -l "$ZIP" | tail -1 | awk '{print $2}') files, $(du -h "$ZIP" | cut -f1)"
}

main "$@"
