#!/usr/bin/env bash
# Debian's piuparts on the game's packages, in clean roots of each release
# the project supports: ritmuro and ritmuro-data installed and purged
# leaving nothing behind, and the upgrade from the packages of the previous
# commit (installed with apt-get from a local repository of them) to those
# of the last one. Both are built here, in clones of the commits
# (scripts/lancamento.sh --debs). The roots are made by mmdebstrap from the
# machine's own archive (scripts/lib/raiz.sh) and go when the script ends.
# Run as root; slow (minutes per release), so not part of the test command.
#   scripts/piuparts.sh [SUITE...]    default: bookworm trixie
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/raiz.sh"

[ "$(id -u)" = 0 ] || abortar "run as root (piuparts works in chroots)"
SUITES=("$@")
[ "${#SUITES[@]}" -gt 0 ] || SUITES=(bookworm trixie)
garantir_pacotes piuparts
arquivo_debian
TMP="$(mktemp -d /var/tmp/ritmuro-piuparts.XXXXXX)"
trap 'rm -rf --one-file-system "$TMP"' EXIT

# The two .debs of COMMIT, built in a clone, copied into FOLDER.
construir() {  # construir COMMIT FOLDER
  local clone="$TMP/clone-$1"
  git clone -q "$RITMURO_RAIZ" "$clone"
  git -C "$clone" checkout -q "$1"
  aviso "building the packages of $(git -C "$clone" log -1 --format='%h %s' | cut -c1-60)"
  bash "$clone/scripts/lancamento.sh" --debs > "$TMP/construir-$1.log" 2>&1 ||
    { tail -20 "$TMP/construir-$1.log" >&2; abortar "the packages of $1 did not build"; }
  mkdir -p "$2"
  cp "$clone"/build-debian/ritmuro_*.deb "$clone"/build-debian/ritmuro-data_*.deb "$2/"
  rm -rf "$clone"
}

# A flat apt repository of the previous commit's packages, for piuparts'
# first install of its upgrade test.
repositorio_anterior() {
  (cd "$TMP/anteriores" && dpkg-scanpackages -m . > Packages 2> /dev/null)
}

NOVOS="$TMP/novos"
ANTERIORES="$TMP/anteriores"
# Both named now: a commit made while the first builds must not move the other.
ULTIMO="$(git -C "$RITMURO_RAIZ" rev-parse HEAD)"
ANTERIOR="$(git -C "$RITMURO_RAIZ" rev-parse HEAD~1)"
construir "$ULTIMO" "$NOVOS"
construir "$ANTERIOR" "$ANTERIORES"
repositorio_anterior

# Debian 13's debconf leaves its own temporary folder behind after any
# installation, whoever's package it was; Debian 12's piuparts does not know it yet.
IGNORAR=(--ignore=/var/cache/debconf/tmp.ci/)
declare -A VEREDITO
for suite in "${SUITES[@]}"; do
  aviso "== $suite"
  criar_raiz "$suite" "$TMP/raiz-$suite"
  registro="$TMP/piuparts-$suite.log"
  rc=0
  piuparts --existing-chroot="$TMP/raiz-$suite" --distribution="$suite" --mirror="$ARQUIVO_URI main" \
    --bindmount="$ANTERIORES" --extra-repo="deb [trusted=yes] file://$ANTERIORES ./" \
    --warn-on-debsums-errors --no-eatmydata "${IGNORAR[@]}" \
    "$NOVOS"/ritmuro_*.deb "$NOVOS"/ritmuro-data_*.deb > "$registro" 2>&1 || rc=$?
  grep -E '^[0-9:]+ *[0-9.]*s (PASS|FAIL|ERROR|INFO: Installation of|INFO: Upgrade)|PASS:|FAIL:' "$registro" |
    sed 's/^/  /' | tail -15
  if [ "$rc" = 0 ]; then VEREDITO[$suite]=PASS; else VEREDITO[$suite]="FAIL (log: $registro)"; tail -30 "$registro"; fi
  remover_raiz "$TMP/raiz-$suite"
done
falhou=0
for suite in "${SUITES[@]}"; do
  aviso "$suite: ${VEREDITO[$suite]}"
  [ "${VEREDITO[$suite]}" = PASS ] || falhou=1
done
if [ "$falhou" = 1 ]; then
  trap - EXIT  # the logs stay for reading
  abortar "piuparts failed; the logs are in $TMP"
fi
aviso "piuparts passed on ${SUITES[*]} in $(duracao)"
