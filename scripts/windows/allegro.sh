#!/usr/bin/env bash
# Cross-builds Allegro 4.4 for 32-bit Windows, as a static library, from
# Debian's own source package (its tarball is kept in
# /var/cache/ritmuro/allegro-fonte), with our patches for running under wine,
# into /var/cache/ritmuro/allegro-mingw.
# Does nothing when the prefix was already built with the same patches,
# toolchain and options. Run as root (packages, /var/cache).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/windows/alvo.sh"
source "$RITMURO_RAIZ/scripts/lib/fontes_allegro.sh"
escolher_arquitetura "${1:-i686}"

REMENDO="$RITMURO_RAIZ/scripts/windows/allegro-wine.patch"
MARCA="$ALLEGRO_MINGW/.ritmuro-allegro"
OPCOES=(-DSHARED=OFF -DWANT_ALLEGROGL=OFF -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF
        -DWANT_JPGALLEG=OFF -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF
        -DWANT_DOCS=OFF -DCMAKE_BUILD_TYPE=Release)

# What the installed prefix was built from: a change to the patches, the
# toolchain file or the options forces a rebuild.
versao_desejada() {
  { cat "$REMENDO" "$TOOLCHAIN_MINGW" "$RITMURO_RAIZ/cmake/mingw-comum.cmake"; echo "${OPCOES[*]}"; } | sha256sum | cut -d' ' -f1
}

prefixo_pronto() {
  [ -f "$ALLEGRO_MINGW/lib/liballeg.a" ] && [ -f "$MARCA" ] &&
    [ "$(cat "$MARCA")" = "$(versao_desejada)" ]
}

# Earlier versions of this script added a deb-src entry to the machine's own
# apt sources; the source now comes through a private apt configuration, so
# that entry (ours, by its name) is taken away again.
remover_fonte_antiga() {
  local antiga=/etc/apt/sources.list.d/ritmuro-src.sources
  [ -e "$antiga" ] || return 0
  aviso "removing $antiga, left by an earlier version of this script"
  rm -f "$antiga"
}

# Each changed line must be there afterwards and the replaced ones gone, so a
# patch that applied to the wrong place cannot pass unnoticed.
verificar_remendos() {
  local src=$1
  grep -q 'GUID_SysKeyboardEm2' "$src/src/win/wkeybd.c" && abortar "wkeybd.c still uses GUID_SysKeyboardEm2"
  grep -q 'GUID_SysKeyboard\b' "$src/src/win/wkeybd.c" || abortar "wkeybd.c has no GUID_SysKeyboard"
  grep -q 'GUID_SysMouseEm2' "$src/src/win/wmouse.c" && abortar "wmouse.c still uses GUID_SysMouseEm2"
  grep -q 'GUID_SysMouse\b' "$src/src/win/wmouse.c" || abortar "wmouse.c has no GUID_SysMouse"
  grep -q 'PM_NOREMOVE' "$src/src/win/wwnd.c" && abortar "wwnd.c still uses PM_NOREMOVE"
  grep -q 'PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)' "$src/src/win/wwnd.c" ||
    abortar "wwnd.c has no message loop with PM_REMOVE"
  return 0
}

TMP_ALLEGRO=""
trap '[ -z "$TMP_ALLEGRO" ] || rm -rf "$TMP_ALLEGRO"' EXIT

compilar() {
  local tmp src palco
  TMP_ALLEGRO="$(mktemp -d "/tmp/ritmuro-allegro-$ARQ.XXXXXX")"
  tmp="$TMP_ALLEGRO"
  tar -xzf "$(tarball_allegro)" -C "$tmp"
  src="$(compgen -G "$tmp/allegro*" | head -1)"
  [ -d "$src/src/win" ] || abortar "unexpected sources in $(tarball_allegro)"

  aviso "applying $(basename "$REMENDO")"
  patch -d "$src" -p1 --forward --batch --no-backup-if-mismatch < "$REMENDO" ||
    abortar "the patch does not apply to $(basename "$(tarball_allegro)")"
  verificar_remendos "$src"

  aviso "configuring ($(duracao))"
  cmake -S "$src" -B "$tmp/build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_MINGW" \
    -DCMAKE_INSTALL_PREFIX="$ALLEGRO_MINGW" "${OPCOES[@]}" > "$tmp/configurar.log" 2>&1 || {
      tail -40 "$tmp/configurar.log" >&2; abortar "configuring Allegro failed"; }
  aviso "compiling ($(duracao))"
  # Installed beside the final prefix and moved in whole: an interrupted
  # build never leaves a half-filled prefix that looks finished.
  palco="$tmp/palco"
  make -C "$tmp/build" -j2 install DESTDIR="$palco" > "$tmp/compilar.log" 2>&1 || {
    tail -40 "$tmp/compilar.log" >&2; abortar "compiling Allegro failed"; }
  [ -f "$palco$ALLEGRO_MINGW/lib/liballeg.a" ] || abortar "make install made no liballeg.a"

  rm -rf "$ALLEGRO_MINGW"
  mkdir -p "$(dirname "$ALLEGRO_MINGW")"
  mv "$palco$ALLEGRO_MINGW" "$ALLEGRO_MINGW"
  versao_desejada > "$MARCA"
}

main() {
  [ -f "$REMENDO" ] || abortar "$REMENDO is missing"
  remover_fonte_antiga
  garantir_pacotes "${PACOTES_MINGW[@]}" dpkg-dev cmake make patch
  aviso "packages ready ($(duracao))"
  if prefixo_pronto; then
    aviso "Allegro for Windows $ARQ is already in $ALLEGRO_MINGW ($(duracao))"
    return 0
  fi
  garantir_fontes_allegro
  aviso "sources ready ($(duracao))"
  compilar
  aviso "Allegro for Windows $ARQ installed in $ALLEGRO_MINGW: $(du -h "$ALLEGRO_MINGW/lib/liballeg.a" | cut -f1) liballeg.a, $(duracao) in all"
}

main "$@"
