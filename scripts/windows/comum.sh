# shellcheck shell=bash
# Shared by the scripts of scripts/windows (sourced, not run).

RITMURO_RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
RITMURO_CACHE="${RITMURO_CACHE:-/var/cache/ritmuro}"

# The Windows target: the released 32-bit game, cross-built with mingw-w64.
# Sets ARQ, TOOLCHAIN_MINGW, ALLEGRO_MINGW, PACOTES_MINGW.
# shellcheck disable=SC2034  # the variables are for the scripts that call it
escolher_arquitetura() {
  ARQ="${1:-i686}"
  [ "$ARQ" = i686 ] || falha "arquitetura desconhecida '$ARQ' (só i686: o jogo entregue é de 32 bits)"
  ALLEGRO_MINGW="${ALLEGRO_MINGW:-$RITMURO_CACHE/allegro-mingw}"
  PACOTES_MINGW=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
                 mingw-w64-i686-dev binutils-mingw-w64-i686)
  TOOLCHAIN_MINGW="$RITMURO_RAIZ/cmake/mingw-$ARQ.cmake"
}

# Messages carry the name of the script that prints them.
aviso() { echo "$(basename "$0"): $*"; }
falha() { echo "$(basename "$0"): ERRO: $*" >&2; exit 1; }

pacote_instalado() {
  dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null | grep -qx installed
}

# Refreshing the package lists is slow: done at most once per script run.
APT_ATUALIZADO=0
apt_atualizar() {
  if [ "$APT_ATUALIZADO" = 0 ]; then
    apt-get update -qq -o DPkg::Lock::Timeout=600 || falha "apt-get update falhou"
    APT_ATUALIZADO=1
  fi
}

# Installs the packages given that are not installed yet; nothing at all when
# every one is there.
garantir_pacotes() {
  local faltam=() p
  for p in "$@"; do
    pacote_instalado "$p" || faltam+=("$p")
  done
  [ "${#faltam[@]}" -eq 0 ] && return 0
  [ "$(id -u)" = 0 ] || falha "preciso ser root para instalar ${faltam[*]}"
  aviso "instalando ${faltam[*]}"
  apt_atualizar
  local log
  log="$(mktemp /tmp/ritmuro-apt.XXXXXX)"
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 \
      "${faltam[@]}" > "$log" 2>&1; then
    tail -30 "$log" >&2
    falha "apt-get install falhou (registro completo em $log)"
  fi
  rm -f "$log"
}

garantir_arquitetura_i386() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    aviso "acrescentando a arquitetura i386"
    dpkg --add-architecture i386
    APT_ATUALIZADO=0
  fi
}

# The Debian archive and release this machine installs from (the first
# entry of its debian.sources, else of sources.list): sets ARQUIVO_URI and
# ARQUIVO_SUITE.
arquivo_debian() {
  ARQUIVO_URI="$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
  ARQUIVO_SUITE="$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
  if [ -z "$ARQUIVO_URI" ]; then
    read -r ARQUIVO_URI ARQUIVO_SUITE < <(awk '$1 == "deb" && $2 !~ /^\[/ {print $2, $3; exit}' \
      /etc/apt/sources.list 2>/dev/null || true) || true
  fi
  [ -n "$ARQUIVO_URI" ] || ARQUIVO_URI=http://deb.debian.org/debian
  [ -n "$ARQUIVO_SUITE" ] || ARQUIVO_SUITE="$(. /etc/os-release && echo "$VERSION_CODENAME")"
}

# apt with a configuration of the project's own, in $RITMURO_CACHE/apt/NOME:
# its own sources list, package lists and download cache. The machine's apt
# sources and lists are neither read nor changed, so fetching a source
# package or a package of another suite leaves the system as it was.
#   apt_privado NOME 'deb-src URI SUITE main' apt-get-arguments...
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
    flock -w 600 9 || falha "$dir está travado por outra execução"
    if [ "$(cat "$dir/fonte" 2>/dev/null)" = "$fonte" ] && apt-get -qq "${opcoes[@]}" "$@"; then
      exit 0
    fi
    apt-get update -qq "${opcoes[@]}" || falha "apt-get update ($nome: $fonte) falhou"
    printf '%s\n' "$fonte" > "$dir/fonte"
    apt-get -qq "${opcoes[@]}" "$@"
  ) 9> "$dir.lock" || rc=$?
  return "$rc"
}

# Seconds since the script started, for the time reports.
duracao() { echo "${SECONDS}s"; }

# Whether this machine executes 32-bit x86 code itself: some kernels run
# with their 32-bit emulation switched off, and then neither 32-bit Linux
# programs nor 32-bit wine can start. Tried with a minimal 32-bit ELF program
# that only exits with code 7. Where a binfmt_misc entry of the machine hands
# i386 programs to an emulator (qemu-user-binfmt, say), the program would run
# under an emulator the tests do not choose: that counts as not executing.
maquina_executa_32_bits() {
  grep -qs '^magic 7f454c4601010100000000000000000002000300' /proc/sys/fs/binfmt_misc/* && return 1
  local prova rc=0
  prova="$(mktemp /tmp/ritmuro-elf32.XXXXXX)"
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x07\x00\x00\x00\xcd\x80' > "$prova"
  chmod +x "$prova"
  "$prova" 2> /dev/null || rc=$?
  rm -f "$prova"
  [ "$rc" = 7 ]
}
