#!/usr/bin/env bash
# Installs, from Debian's archive, what building, testing and packaging ritmuro needs.
# Idempotent: only packages that are missing are fetched. Run as root, on
# Debian 12 or 13 (scripts/lib/debian.sh: what differs between them).
#   scripts/instalar-dependencias.sh          the game and its native tests
#   scripts/instalar-dependencias.sh --i386   also the 32-bit health-bar test
#   scripts/instalar-dependencias.sh --pacote also what builds the Debian packages (debhelper)
#                                             and checks them and the release (lintian,
#                                             hardening-check, appstreamcli, autopkgtest, diffoscope)
# (the Windows cross-build and wine: scripts/windows/testar-windows.sh installs its own)
set -euo pipefail
source "$(dirname "$0")/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"

PACOTES=(g++ cmake make pkg-config file liballegro4-dev googletest libgtest-dev
         libbenchmark-dev xvfb xdotool imagemagick x11-utils libx11-dev libxtst-dev time
         dpkg-dev)
release_debian
I386=0
PACOTE=0
for arg in "$@"; do
  case "$arg" in
    --i386) I386=1 ;;
    --pacote) PACOTE=1 ;;
    *) echo "usage: $0 [--i386] [--pacote]" >&2; exit 2 ;;
  esac
done

if [ "$I386" = 1 ]; then
  garantir_arquitetura_i386
  PACOTES+=(gcc-multilib g++-multilib "$(pacote_da_release liballegro4.4:i386)" qemu-user)
fi
# diffoscope-minimal: the comparison of .debs and zips without the hundreds of
# megabytes of format tools full diffoscope recommends.
[ "$PACOTE" = 1 ] && PACOTES+=(debhelper lintian devscripts appstream desktop-file-utils man-db
                               autopkgtest diffoscope-minimal locales)
garantir_pacotes "${PACOTES[@]}"
