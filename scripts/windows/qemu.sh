#!/usr/bin/env bash
# Puts qemu-i386, the user-mode emulator that runs 32-bit wine where the
# kernel refuses 32-bit programs, into /var/cache/ritmuro/qemu-i386/ (see
# wine32-emulado.sh). It comes from the backports suite of the machine's release, qemu-user
# (10.x and later; bookworm's 7.2 lacks MAP_FIXED_NOREPLACE, and wine's address-space
# reservation then crawls through endless failing mmap calls). The package is
# fetched with apt configured privately and unpacked, not installed: the
# machine's packages and apt sources stay as they are. Its qemu-i386 is
# static, so nothing else of the package is kept. Does nothing when it is
# already there. Run as root.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"

DESTINO="$RITMURO_CACHE/qemu-i386"
QEMU="$DESTINO/qemu-i386"
MAIOR_ACEITO=10  # the version seen running wine32 here

versao_maior() { "$1" --version 2> /dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p'; }

pronto() {
  local maior
  maior="$(versao_maior "$QEMU")"
  [ -n "$maior" ] && [ "$maior" -ge "$MAIOR_ACEITO" ]
}

baixar() {
  local tmp deb
  tmp="$(mktemp -d "$RITMURO_CACHE/qemu-baixando.XXXXXX")"
  arquivo_debian
  aviso "downloading qemu-user from $ARQUIVO_SUITE-backports ($ARQUIVO_URI)"
  (cd "$tmp" && apt_privado backports \
     "deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $ARQUIVO_URI $ARQUIVO_SUITE-backports main" \
     download "qemu-user/$ARQUIVO_SUITE-backports") || { rm -rf "$tmp"; abortar "qemu-user from $ARQUIVO_SUITE-backports did not download"; }
  deb="$(compgen -G "$tmp/qemu-user_*.deb" | head -1)"
  mkdir -p "$tmp/pacote"
  dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$tmp/pacote" ./usr/bin/qemu-i386 ||
    { rm -rf "$tmp"; abortar "$(basename "$deb") has no usr/bin/qemu-i386"; }
  # Moved in whole: an interrupted run never leaves a half-written emulator.
  mkdir -p "$tmp/novo"
  mv "$tmp/pacote/usr/bin/qemu-i386" "$tmp/novo/qemu-i386"
  basename "$deb" > "$tmp/novo/pacote.txt"
  rm -rf "$DESTINO"
  mv "$tmp/novo" "$DESTINO"
  rm -rf "$tmp"
}

main() {
  mkdir -p "$RITMURO_CACHE"
  # Two test runs at once: the second waits and then finds it done.
  exec 9> "$DESTINO.lock"
  flock -w 600 9 || abortar "$DESTINO.lock stayed locked"
  if ! pronto; then
    baixar
    pronto || abortar "$QEMU does not run or is older than version $MAIOR_ACEITO"
  fi
  aviso "$("$QEMU" --version | head -1) in $QEMU ($(duracao))"
}

main "$@"
