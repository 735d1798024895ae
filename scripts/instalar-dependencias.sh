#!/usr/bin/env bash
# Installs, from Debian's archive, what building, testing and packaging ritmuro needs.
# Idempotent: only packages that are missing are fetched. Run as root.
#   scripts/instalar-dependencias.sh          the game and its native tests
#   scripts/instalar-dependencias.sh --i386   also the 32-bit health-bar test
#   scripts/instalar-dependencias.sh --pacote also what builds the Debian packages (debhelper)
#                                             and checks them and the release (lintian,
#                                             hardening-check, appstreamcli, autopkgtest, diffoscope)
# (the Windows cross-build and wine: scripts/windows/testar-windows.sh installs its own)
set -euo pipefail

PACOTES=(g++ cmake make pkg-config file liballegro4-dev googletest libgtest-dev
         libbenchmark-dev xvfb xdotool imagemagick x11-utils libx11-dev libxtst-dev time
         dpkg-dev)
I386=0
PACOTE=0
for arg in "$@"; do
  case "$arg" in
    --i386) I386=1 ;;
    --pacote) PACOTE=1 ;;
    *) echo "uso: $0 [--i386] [--pacote]" >&2; exit 2 ;;
  esac
done

if [ "$I386" = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
fi
[ "$I386" = 1 ] && PACOTES+=(gcc-multilib g++-multilib liballegro4.4:i386 qemu-user)
# diffoscope-minimal: the comparison of .debs and zips without the hundreds of
# megabytes of format tools full diffoscope recommends.
[ "$PACOTE" = 1 ] && PACOTES+=(debhelper lintian devscripts appstream desktop-file-utils man-db
                               autopkgtest diffoscope-minimal locales)

instalado() {
  dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null | grep -qx installed
}

FALTAM=()
for p in "${PACOTES[@]}"; do
  instalado "$p" || FALTAM+=("$p")
done

if [ "${#FALTAM[@]}" -eq 0 ]; then
  exit 0
fi
echo "instalar-dependencias: instalando ${FALTAM[*]}"
if [ "$(id -u)" != 0 ]; then
  echo "instalar-dependencias: preciso ser root para instalar pacotes" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# Other runs may hold the package lock (parallel builds, CI): wait for it.
apt-get update -qq -o DPkg::Lock::Timeout=600
apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${FALTAM[@]}" > /tmp/ritmuro-apt.log 2>&1 || {
  tail -30 /tmp/ritmuro-apt.log >&2
  exit 1
}
