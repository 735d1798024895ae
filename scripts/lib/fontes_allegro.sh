# shellcheck shell=bash
# Debian's allegro4.4 source, for the builds of the library made from it: the
# Windows cross-build and the fuzzing build (sourced, not run). Needs
# scripts/lib/comum.sh and pacotes.sh sourced first.
#
# The source entry lives in a private apt configuration (apt_privado): the
# machine's apt sources are left as they are.

FONTES_ALLEGRO="$RITMURO_CACHE/allegro-fonte"

tarball_allegro() {
  compgen -G "$FONTES_ALLEGRO/allegro4.4_*.orig.tar.gz" | sort | tail -1 || true
}

# Downloads the upstream tarball when it is not in the cache yet, from the
# same Debian archive and release the machine installs its binaries from, so
# that it matches the installed liballegro4. Only that tarball is used; the
# Debian part of the source package may fail to download, so apt's exit
# status says nothing useful here.
garantir_fontes_allegro() {
  [ -n "$(tarball_allegro)" ] && return 0
  [ "$(id -u)" = 0 ] || abortar "root is needed to write to $FONTES_ALLEGRO"
  mkdir -p "$FONTES_ALLEGRO"
  arquivo_debian
  aviso "downloading the allegro4.4 sources ($ARQUIVO_URI $ARQUIVO_SUITE)"
  (cd "$FONTES_ALLEGRO" && apt_privado fontes \
    "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $ARQUIVO_URI $ARQUIVO_SUITE main" \
    source --download-only allegro4.4 > "$FONTES_ALLEGRO/apt-source.log" 2>&1) || true
  local tarball
  tarball="$(tarball_allegro)"
  if [ -z "$tarball" ] || ! gzip -t "$tarball" 2>/dev/null; then
    cat "$FONTES_ALLEGRO/apt-source.log" >&2 || true
    [ -z "$tarball" ] || rm -f "$tarball"
    abortar "the allegro4.4 original tarball did not reach $FONTES_ALLEGRO"
  fi
}
