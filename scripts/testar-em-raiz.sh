#!/usr/bin/env bash
# The README's test command on another Debian release, as on a fresh machine
# of it: a fresh root of SUITE (scripts/lib/raiz.sh: mmdebstrap from this
# machine's archive, entered with bubblewrap), this checkout's last commit
# cloned into it, and `bash scripts/testar.sh` run there as root. The root
# goes when the script ends, whatever its outcome; only downloads are kept
# for the next run (the .debs, the Allegro source and the private apt
# configurations' downloads: in $RITMURO_CACHE/raizes/SUITE-projeto).
#   scripts/testar-em-raiz.sh [SUITE]     default trixie (Debian 13)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/raiz.sh"

SUITE="${1:-trixie}"
[ "$(id -u)" = 0 ] || abortar "run as root (it makes a Debian root and enters it as root)"
PASTA="$(mktemp -d /var/tmp/ritmuro-raiz-"$SUITE".XXXXXX)"
trap 'remover_raiz "$PASTA"' EXIT
trap 'exit 130' INT TERM  # through the EXIT trap

# What the project's scripts download inside, kept between runs (not
# qemu-i386/: qemu.sh replaces that folder whole, which a mount point refuses).
DOWNLOADS="$RAIZ_CACHE/$SUITE-projeto"
CACHE_DENTRO=/var/cache/ritmuro
binds=()
for pasta in allegro-fonte apt; do
  mkdir -p "$DOWNLOADS/$pasta"
  binds+=(--bind "$DOWNLOADS/$pasta" "$CACHE_DENTRO/$pasta")
done

inicio=$SECONDS
criar_raiz "$SUITE" "$PASTA/raiz" --include=git,ca-certificates
aviso "$SUITE root ready in $((SECONDS - inicio)) s"
git clone -q "$RITMURO_RAIZ" "$PASTA/raiz/root/ritmuro"
for pasta in allegro-fonte apt; do mkdir -p "$PASTA/raiz$CACHE_DENTRO/$pasta"; done
rc=0
na_raiz "$PASTA/raiz" "${binds[@]}" -- \
  bash -c 'cd /root/ritmuro && . /etc/os-release && echo "== inside $PRETTY_NAME" &&
           RITMURO_EM_RAIZ=1 bash scripts/testar.sh' || rc=$?
aviso "the test command on $SUITE: exit code $rc, $((SECONDS - inicio)) s in all"
exit "$rc"
