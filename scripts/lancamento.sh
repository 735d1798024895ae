#!/usr/bin/env bash
# Builds the release into dist/: the Debian packages ritmuro and ritmuro-data
# (dpkg-buildpackage run on a copy of the tree in build-debian/, where the
# .changes, the .buildinfo and the debug symbols stay), the Windows zip
# (scripts/windows/zip.sh) and SHA256SUMS of them. Every time stamp is
# SOURCE_DATE_EPOCH (scripts/lib/epoca.sh), so that a commit gives the same
# bytes wherever and whenever it is built (tests/lancamento/reprodutivel.sh).
#   scripts/lancamento.sh          the release
#   scripts/lancamento.sh --debs   the two .debs alone
# Missing tools and build dependencies are installed when run as root.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
source "$RAIZ/scripts/lib/comum.sh"
source "$RAIZ/scripts/lib/pacotes.sh"
source "$RAIZ/scripts/lib/epoca.sh"
DIST="$RAIZ/dist"
CONSTRUCAO="$RAIZ/build-debian"

COM_ZIP=1
case "${1:-}" in
  "") ;;
  --debs) COM_ZIP=0 ;;
  *) echo "usage: $0 [--debs]" >&2; exit 2 ;;
esac

# What the source package says it needs, from Debian's archive when root.
garantir_dependencias_de_build() {  # garantir_dependencias_de_build SOURCE_TREE
  local faltam
  faltam="$(cd "$1" && dpkg-checkbuilddeps 2>&1)" && return 0
  [ "$(id -u)" = 0 ] || abortar "${faltam#dpkg-checkbuilddeps: error: } (as root: apt-get build-dep $RAIZ)"
  aviso "installing the build dependencies: ${faltam##*: }"
  apt_atualizar
  DEBIAN_FRONTEND=noninteractive "${APT_GET[@]}" build-dep -y -qq --no-install-recommends "$1" \
    > "$CONSTRUCAO/build-dep.log" 2>&1 ||
    { tail -20 "$CONSTRUCAO/build-dep.log" >&2; abortar "apt-get build-dep failed (log: $CONSTRUCAO/build-dep.log)"; }
}

construir_debs() {
  local versao arquitetura fonte
  versao="$(dpkg-parsechangelog -l "$RAIZ/debian/changelog" -S Version)"
  arquitetura="$(dpkg-architecture -qDEB_HOST_ARCH)"
  fonte="$CONSTRUCAO/ritmuro-$versao"
  rm -rf "$CONSTRUCAO"
  copiar_fontes "$RAIZ" "$fonte"
  # dpkg-deb only brings newer files back to SOURCE_DATE_EPOCH: a checkout's
  # older files would keep their own dates in the packages.
  find "$fonte" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  garantir_dependencias_de_build "$fonte"
  aviso "dpkg-buildpackage in $fonte"
  (cd "$fonte" && dpkg-buildpackage -us -uc -b -j2) > "$CONSTRUCAO/dpkg-buildpackage.log" 2>&1 ||
    { tail -30 "$CONSTRUCAO/dpkg-buildpackage.log" >&2; abortar "dpkg-buildpackage failed (log: $CONSTRUCAO/dpkg-buildpackage.log)"; }
  ARTEFATOS+=("ritmuro_${versao}_${arquitetura}.deb" "ritmuro-data_${versao}_all.deb")
  cp "$CONSTRUCAO/ritmuro_${versao}_${arquitetura}.deb" "$CONSTRUCAO/ritmuro-data_${versao}_all.deb" "$DIST/"
}

main() {
  garantir_comando dpkg-buildpackage dpkg-dev || exit 1
  definir_epoca
  aviso "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T UTC'))"
  ARTEFATOS=()
  mkdir -p "$DIST"
  rm -f "$DIST"/*.deb "$DIST/SHA256SUMS"
  construir_debs
  if [ "$COM_ZIP" = 1 ]; then
    bash "$RAIZ/scripts/windows/zip.sh"
    ARTEFATOS+=(ritmuro-win32.zip)
  fi
  (cd "$DIST" && sha256sum -- "${ARTEFATOS[@]}" > SHA256SUMS)
  sed "s|^|$(basename "$0"): |" "$DIST/SHA256SUMS"
  aviso "dist/ ready in ${SECONDS} s"
}

main
