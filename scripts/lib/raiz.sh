# shellcheck shell=bash
# Fresh Debian roots of the project's own (sourced after comum.sh and
# pacotes.sh): another release of Debian, or another architecture's
# libraries and cross compilers, without touching the machine's own packages.
#   criar_raiz SUITE FOLDER [MMDEBSTRAP_OPTIONS...]   bookworm, trixie...
#   na_raiz FOLDER [--bind SOURCE DEST]... [--] COMMAND [ARGS...]
#   remover_raiz FOLDER
#
# A root is made by mmdebstrap from the machine's own archive (the sources
# of its apt configuration, arquivo_debian) and entered with bubblewrap as
# the real root user: the folder becomes /, with /proc, /dev, a private /tmp
# and /dev/shm, in mount and process namespaces of its own. Unlike chroot,
# bubblewrap enters by pivot_root, so programs inside may make user
# namespaces of their own (the wine tests' private binfmt_misc needs one).
# Everything it mounts and every process it starts ends with it; nothing is
# registered on the machine. The .debs downloaded for a suite are kept in
# $RITMURO_CACHE/raizes/SUITE, so the next root of it downloads only what is new.

RAIZ_CACHE="$RITMURO_CACHE/raizes"

# The sources of SUITE on the machine's archive: the release itself, its
# updates, and its security suite where the machine has a security archive.
_fontes_da_raiz() {  # _fontes_da_raiz SUITE
  arquivo_debian || return 1
  echo "deb $ARQUIVO_URI $1 main"
  echo "deb $ARQUIVO_URI $1-updates main"
  [ -z "${ARQUIVO_SEGURANCA_URI:-}" ] || echo "deb $ARQUIVO_SEGURANCA_URI $1-security main"
}

criar_raiz() {  # criar_raiz SUITE FOLDER [MMDEBSTRAP_OPTIONS...]
  local suite=$1 pasta=$2 cache fontes
  shift 2
  garantir_comando mmdebstrap mmdebstrap || return 1
  garantir_comando bwrap bubblewrap || return 1
  cache="$RAIZ_CACHE/$suite"
  mkdir -p "$cache"
  fontes="$(_fontes_da_raiz "$suite")" || return 1
  [ ! -e "$pasta" ] || rm -rf --one-file-system "$pasta"
  aviso "making a fresh $suite root in $pasta"
  # The downloaded .debs go in and out of the root's apt cache (mmdebstrap's
  # sync-in and sync-out run outside the root, with the cache's own paths).
  mmdebstrap --variant=apt --quiet --skip=download/empty --skip=essential/unlink \
    --setup-hook="mkdir -p \"\$1/var/cache/apt/archives\"" \
    --setup-hook="sync-in '$cache' /var/cache/apt/archives" \
    --customize-hook="sync-out /var/cache/apt/archives '$cache'" \
    "$@" "$suite" "$pasta" "$fontes" || { rm -rf --one-file-system "$pasta"; return 1; }
  rm -f "$cache/lock"
  cp -L /etc/resolv.conf "$pasta/etc/resolv.conf" 2> /dev/null || true
}

# Runs COMMAND inside the root, as root, with a clean environment (the
# release's PATH, HOME=/root, C.UTF-8; CI is passed on). --bind SOURCE DEST
# shows a folder of the machine inside. The root's apt keeps its downloads in
# the suite's cache. The command's exit code is na_raiz's.
na_raiz() {  # na_raiz FOLDER [--bind SOURCE DEST]... [--] COMMAND [ARGS...]
  local pasta=$1 suite binds=()
  shift
  while [ $# -gt 0 ]; do
    case "$1" in
      --bind) binds+=(--bind "$2" "$3"); shift 3 ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  [ -x "$pasta/bin/sh" ] || { echo "$(basename "$0"): $pasta is not a root (criar_raiz makes one)" >&2; return 1; }
  suite="$(. "$pasta/etc/os-release" && echo "${VERSION_CODENAME:-}")"
  mkdir -p "$RAIZ_CACHE/$suite"
  bwrap --bind "$pasta" / --proc /proc --dev /dev --perms 1777 --tmpfs /tmp --perms 1777 --tmpfs /dev/shm \
    --ro-bind /sys /sys --bind "$RAIZ_CACHE/$suite" /var/cache/apt/archives \
    "${binds[@]}" --unshare-pid --unshare-ipc --unshare-uts --hostname "ritmuro-$suite" \
    --die-with-parent --clearenv \
    --setenv PATH /usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    --setenv HOME /root --setenv LANG C.UTF-8 --setenv TERM "${TERM:-dumb}" \
    ${CI:+--setenv CI "$CI"} \
    "$@"
}

# The root's folder gone; nothing of it is mounted on the machine (its
# mounts lived in bubblewrap's namespace), so it is plain files.
remover_raiz() {  # remover_raiz FOLDER
  [ -n "$1" ] && [ "$1" != / ] || return 1
  rm -rf --one-file-system "$1"
}
