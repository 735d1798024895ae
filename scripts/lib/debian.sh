# shellcheck shell=bash
# The Debian release this machine runs, and the one place where what the
# project needs differs between the releases it supports (sourced by
# pacotes.sh):
#   release_debian          sets DEBIAN_VERSAO (12, 13) and DEBIAN_CODINOME
#                           (bookworm, trixie), or ends the script naming
#                           the releases supported
#   pacote_da_release NAME  the package that is NAME on this release
# RITMURO_OS_RELEASE names another os-release file to read (for tests).

RELEASES_SUPORTADAS="Debian 12 (bookworm) and Debian 13 (trixie)"

release_debian() {
  [ -z "${DEBIAN_VERSAO:-}" ] || return 0
  local arquivo="${RITMURO_OS_RELEASE:-/etc/os-release}" id versao codinome nome
  [ -r "$arquivo" ] || abortar "$arquivo is missing: this project supports $RELEASES_SUPORTADAS only"
  read -r id versao codinome nome < <(
    # shellcheck disable=SC1090
    . "$arquivo" && echo "${ID:-?} ${VERSION_ID:-?} ${VERSION_CODENAME:-?} ${PRETTY_NAME:-$ID}")
  case "$id $versao" in
    "debian 12" | "debian 13") ;;
    *) abortar "this machine runs $nome; this project supports $RELEASES_SUPORTADAS only" ;;
  esac
  command -v apt-get > /dev/null && command -v dpkg > /dev/null ||
    abortar "this machine has no apt-get or dpkg; this project supports $RELEASES_SUPORTADAS only"
  DEBIAN_VERSAO="$versao"
  DEBIAN_CODINOME="$codinome"
}

# Debian 13 renamed the libraries whose interface changed with the 64-bit
# time_t of 32-bit architectures (the "t64" transition): Allegro among them.
pacote_da_release() {
  release_debian
  case "$DEBIAN_VERSAO:$1" in
    13:liballegro4.4 | 13:liballegro4.4:*) echo "${1/liballegro4.4/liballegro4.4t64}" ;;
    *) echo "$1" ;;
  esac
}
