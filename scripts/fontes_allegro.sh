# shellcheck shell=bash
# Debian's allegro4.4 source, for the builds of the library made from it
# (sourced, not run). Needs scripts/windows/comum.sh sourced first.
#
# The source entries live in a private apt configuration in a temporary
# folder: the machine's apt sources and package lists are left as they are.

FONTES_ALLEGRO="$RITMURO_CACHE/allegro-fonte"

tarball_allegro() {
  compgen -G "$FONTES_ALLEGRO/allegro4.4_*.orig.tar.gz" | sort | tail -1 || true
}

# Downloads the upstream tarball when it is not in the cache yet. Only that
# tarball is used; the Debian part of the source package may fail to
# download, so apt's exit status says nothing useful here.
garantir_fontes_allegro() {
  [ -n "$(tarball_allegro)" ] && return 0
  [ "$(id -u)" = 0 ] || falha "preciso ser root para escrever em $FONTES_ALLEGRO"
  local uri suite apt_tmp tarball
  uri="$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
  suite="$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
  [ -n "$uri" ] || uri=http://deb.debian.org/debian
  [ -n "$suite" ] || suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  apt_tmp="$(mktemp -d /tmp/ritmuro-apt-fontes.XXXXXX)"
  mkdir -p "$apt_tmp/listas/partial" "$apt_tmp/cache/archives/partial" "$apt_tmp/partes" "$FONTES_ALLEGRO"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite main" > "$apt_tmp/sources.list"
  local opcoes=(-o "Dir::Etc::SourceList=$apt_tmp/sources.list" -o "Dir::Etc::SourceParts=$apt_tmp/partes"
                -o "Dir::State::Lists=$apt_tmp/listas" -o "Dir::Cache=$apt_tmp/cache"
                -o DPkg::Lock::Timeout=600)
  aviso "baixando as fontes de allegro4.4 ($uri $suite)"
  apt-get "${opcoes[@]}" update -qq > "$apt_tmp/apt.log" 2>&1 || { cat "$apt_tmp/apt.log" >&2; rm -rf "$apt_tmp"; falha "apt-get update (fontes) falhou"; }
  (cd "$FONTES_ALLEGRO" && apt-get "${opcoes[@]}" source --download-only -qq allegro4.4 >> "$apt_tmp/apt.log" 2>&1) || true
  tarball="$(tarball_allegro)"
  if [ -z "$tarball" ] || ! gzip -t "$tarball" 2>/dev/null; then
    cat "$apt_tmp/apt.log" >&2 || true
    rm -rf "$apt_tmp"
    [ -z "$tarball" ] || rm -f "$tarball"
    falha "o tarball original de allegro4.4 não chegou a $FONTES_ALLEGRO"
  fi
  rm -rf "$apt_tmp"
}
