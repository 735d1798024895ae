# shellcheck shell=bash
# Debian packages for the project's scripts (sourced after comum.sh):
#   garantir_pacotes PACKAGE...        installs those not installed yet (root)
#   garantir_comando COMMAND PACKAGE   a tool: there, installed when root, or named
#   garantir_arquitetura_i386, pacote_instalado PACKAGE
#   apt_privado NAME 'deb-src URI SUITE main' apt-get-arguments...
# apt-get's output goes to a log in the build folder (build/apt.log), shown
# in part when it fails.

pacote_instalado() {
  dpkg-query -W -f='${db:Status-Status}' "$1" 2> /dev/null | grep -qx installed
}

# The log of this run's apt-get calls: build/apt.log of the checkout, or a
# temporary file where the checkout cannot be written.
registro_apt() {
  local pasta="$RITMURO_RAIZ/build"
  if mkdir -p "$pasta" 2> /dev/null && [ -w "$pasta" ]; then
    echo "$pasta/apt.log"
  else
    mktemp /tmp/ritmuro-apt.XXXXXX
  fi
}

# Other runs may hold the package lock (parallel builds, CI): wait for it.
APT_GET=(apt-get -o DPkg::Lock::Timeout=600)

# Refreshing the package lists is slow: done at most once per script run. A
# mirror caught syncing makes apt-get update fail on one index while the
# others arrive: tried three times, then the lists it has are used, with a
# warning (an install that needs the missing index still fails, and says so).
APT_ATUALIZADO=0
APT_LISTAS_INCOMPLETAS=0
apt_atualizar() {
  [ "$APT_ATUALIZADO" = 0 ] || return 0
  local registro tentativa saida
  registro="$(registro_apt)"
  for tentativa in 1 2 3; do
    if saida="$("${APT_GET[@]}" update -qq 2>&1)"; then
      APT_ATUALIZADO=1
      return 0
    fi
    echo "$saida" >> "$registro"
    [ "$tentativa" = 3 ] || sleep 10
  done
  aviso "WARNING: apt-get update failed three times; going on with the package lists there are:"
  grep '^[EW]:' <<< "$saida" | sed 's/^/  /'
  APT_ATUALIZADO=1
  APT_LISTAS_INCOMPLETAS=1
}

# Installs the packages given that are not installed yet; nothing at all when
# every one is there.
garantir_pacotes() {
  local faltam=() p registro
  for p in "$@"; do
    pacote_instalado "$p" || faltam+=("$p")
  done
  [ "${#faltam[@]}" -eq 0 ] && return 0
  [ "$(id -u)" = 0 ] || abortar "root is needed to install ${faltam[*]}"
  aviso "installing ${faltam[*]}"
  apt_atualizar
  registro="$(registro_apt)"
  _instalar "${faltam[@]}" >> "$registro" 2>&1 && return 0
  # Without one architecture's index of an update suite (the mirror caught
  # syncing), the two architectures of a Multi-Arch package may have no
  # version in common: the release's own suite has both.
  if [ "$APT_LISTAS_INCOMPLETAS" = 1 ]; then
    local suite
    suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    aviso "WARNING: trying again with the packages of $suite itself, as an index is missing"
    _instalar -t "$suite" "${faltam[@]}" >> "$registro" 2>&1 && return 0
  fi
  tail -30 "$registro" >&2
  abortar "apt-get install ${faltam[*]} failed (whole log: $registro)"
}
_instalar() {
  DEBIAN_FRONTEND=noninteractive "${APT_GET[@]}" install -y -qq --no-install-recommends "$@"
}

# A tool a script needs: there already, installed from Debian's archive when
# the script runs as root, or else a message naming the package.
#   garantir_comando COMMAND PACKAGE || exit 1
garantir_comando() {
  command -v "$1" > /dev/null && return 0
  if [ "$(id -u)" = 0 ]; then
    (garantir_pacotes "$2") && command -v "$1" > /dev/null && return 0
  fi
  echo "$(basename "$0"): $1 is missing: install the Debian package $2 (as root: apt-get install $2)" >&2
  return 1
}

garantir_arquitetura_i386() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    aviso "adding the i386 architecture"
    dpkg --add-architecture i386
    APT_ATUALIZADO=0
  fi
}

# The Debian archive and release this machine installs from (the first
# entry of its debian.sources, else of sources.list): sets ARQUIVO_URI and
# ARQUIVO_SUITE, and ARQUIVO_SEGURANCA_URI to the archive of its security
# suite (empty when it has none).
arquivo_debian() {
  ARQUIVO_SEGURANCA_URI="$(awk '/^URIs:/ {u = $2} /^Suites:.*-security/ {print u; exit}' \
    /etc/apt/sources.list.d/debian.sources 2> /dev/null)"
  [ -n "$ARQUIVO_SEGURANCA_URI" ] || ARQUIVO_SEGURANCA_URI="$(awk '$1 == "deb" && $2 !~ /^\[/ && $3 ~ /-security$/ {print $2; exit}' \
    /etc/apt/sources.list 2> /dev/null || true)"
  ARQUIVO_URI="$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2> /dev/null || true)"
  ARQUIVO_SUITE="$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2> /dev/null || true)"
  if [ -z "$ARQUIVO_URI" ]; then
    read -r ARQUIVO_URI ARQUIVO_SUITE < <(awk '$1 == "deb" && $2 !~ /^\[/ {print $2, $3; exit}' \
      /etc/apt/sources.list 2> /dev/null || true) || true
  fi
  [ -n "$ARQUIVO_URI" ] || ARQUIVO_URI=http://deb.debian.org/debian
  [ -n "$ARQUIVO_SUITE" ] || ARQUIVO_SUITE="$(. /etc/os-release && echo "$VERSION_CODENAME")"
}

# apt with a configuration of the project's own, in $RITMURO_CACHE/apt/NAME:
# its own sources list, package lists and download cache. The machine's apt
# sources and lists are neither read nor changed, so fetching a source
# package or a package of another suite leaves the system as it was.
#   apt_privado NAME 'deb-src URI SUITE main' apt-get-arguments...
# Runs apt-get with the arguments in the current folder; the lists are
# fetched the first time, and again when the cached ones no longer work.
apt_privado() {
  local nome=$1 fonte=$2 dir="$RITMURO_CACHE/apt/$1" rc=0
  shift 2
  mkdir -p "$dir/listas/partial" "$dir/cache/archives/partial" "$dir/partes"
  printf '%s\n' "$fonte" > "$dir/sources.list"
  local opcoes=(-o "Dir::Etc::SourceList=$dir/sources.list" -o "Dir::Etc::SourceParts=$dir/partes"
                -o "Dir::State::Lists=$dir/listas" -o "Dir::Cache=$dir/cache"
                -o APT::Sandbox::User=root)
  # Two runs at once share the folder: one at a time.
  (
    flock -w 600 9 || abortar "$dir is locked by another run"
    if [ "$(cat "$dir/fonte" 2> /dev/null)" = "$fonte" ] && apt-get -qq "${opcoes[@]}" "$@"; then
      exit 0
    fi
    apt-get update -qq "${opcoes[@]}" || abortar "apt-get update ($nome: $fonte) failed"
    printf '%s\n' "$fonte" > "$dir/fonte"
    apt-get -qq "${opcoes[@]}" "$@"
  ) 9> "$dir.lock" || rc=$?
  return "$rc"
}
