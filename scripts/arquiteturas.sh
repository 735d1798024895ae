#!/usr/bin/env bash
# The game on the other architectures Debian builds it for, each in a fresh
# Debian root of its own (scripts/lib/raiz.sh), so that the machine's
# packages, dpkg architectures and binfmt stay as they are: Debian's cross
# compilers and Debian's Allegro of that architecture, qemu's user-mode
# emulator to run what they build (scripts/arquiteturas/dentro.sh).
#   scripts/arquiteturas.sh [--passos STEPS] [--rapido] ARCH...     ARCH: arm64 i386 s390x, or all
# STEPS (comma-separated; default: every step the architecture has):
#   unidade  the unit tests (and the art generator) built for ARCH, run under the emulator
#   titulo   the ARCH game in Xvfb: its title pixel for pixel, Esc, exit code 0
#   pacote   dpkg-buildpackage -a ARCH, the .deb checked by lintian
# --rapido: the unit tests but the two longest (minutes each under the
# emulator; the test command's choice). Each root is removed at the end, whatever happens; its logs, ctest's JUnit
# file and the .debs stay in build-arquiteturas/ARCH/. Run as root.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/raiz.sh"
source "$RITMURO_RAIZ/scripts/lib/jogo.sh"  # olho_compilar

CONHECIDAS=(arm64 i386 s390x)
# The big-endian s390x has no title step: its unit tests draw on memory
# bitmaps, and its Allegro in Xvfb is a question of the X server's byte order.
declare -A PASSOS_DE=([arm64]=unidade,titulo,pacote [i386]=unidade,titulo,pacote [s390x]=unidade)
SAIDA="$RITMURO_RAIZ/build-arquiteturas"

uso() {
  echo "usage: $(basename "$0") [--passos unidade,titulo,pacote] [--rapido] ARCH...   (ARCH: ${CONHECIDAS[*]} all)" >&2
  exit 2
}

conhecida() { local a; for a in "${CONHECIDAS[@]}"; do [ "$a" = "$1" ] && return 0; done; return 1; }

ler_argumentos() {
  PASSOS=""
  RAPIDO=""
  ARQUITETURAS=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --passos) [ $# -ge 2 ] || uso; PASSOS=$2; shift 2 ;;
      --rapido) RAPIDO=rapido; shift ;;
      all) ARQUITETURAS+=("${CONHECIDAS[@]}"); shift ;;
      -*) uso ;;
      *) conhecida "$1" ||
           { echo "$(basename "$0"): unknown architecture '$1'; known: ${CONHECIDAS[*]} (or all)" >&2; exit 2; }
         ARQUITETURAS+=("$1"); shift ;;
    esac
  done
  [ "${#ARQUITETURAS[@]}" -gt 0 ] || uso
  local p
  for p in ${PASSOS//,/ }; do
    case "$p" in unidade|titulo|pacote) ;; *) echo "$(basename "$0"): unknown step '$p'" >&2; uso ;; esac
  done
}

RAIZ_ATUAL=""
limpar() { [ -z "$RAIZ_ATUAL" ] || remover_raiz "$RAIZ_ATUAL"; }
trap limpar EXIT
trap "exit 130" INT TERM

# One architecture in a root of its own: 0 when every check passed.
rodar_arquitetura() {  # rodar_arquitetura ARCH
  local arq=$1 passos=${PASSOS:-${PASSOS_DE[$1]}} suite inicio=$SECONDS rc=0
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  RAIZ_ATUAL="$SAIDA/raiz-$arq"
  rm -rf "${SAIDA:?}/$arq"
  mkdir -p "$SAIDA/$arq"
  criar_raiz "$suite" "$RAIZ_ATUAL" || abortar "no $suite root could be made in $RAIZ_ATUAL"
  copiar_fontes "$RITMURO_RAIZ" "$RAIZ_ATUAL/ritmuro"
  # The screen reader of the title check is a program of this machine (it
  # links this machine's Allegro, whose -dev cannot sit beside ARCH's in
  # the root): built here, for the root of the same release.
  if [[ ",$passos," == *,titulo,* ]]; then
    garantir_pacotes g++ pkg-config liballegro4-dev libx11-dev libxtst-dev
    olho_compilar "$SAIDA/$arq/olho_tela" > /dev/null || abortar "the screen reader olho_tela did not build"
  fi
  na_raiz "$RAIZ_ATUAL" --bind "$SAIDA/$arq" /resultados -- \
    bash /ritmuro/scripts/arquiteturas/dentro.sh "$arq" "$passos" $RAPIDO || rc=$?
  remover_raiz "$RAIZ_ATUAL"
  RAIZ_ATUAL=""
  TEMPOS+=("$arq ($passos): $((SECONDS - inicio)) s, $([ "$rc" = 0 ] && echo passed || echo FAILED)")
  return "$rc"
}

main() {
  ler_argumentos "$@"
  [ "$(id -u)" = 0 ] || abortar "run as root: the roots are made and entered as root"
  TEMPOS=()
  local arq falhou=0
  for arq in "${ARQUITETURAS[@]}"; do
    rodar_arquitetura "$arq" || falhou=1
  done
  printf '%s\n' "${TEMPOS[@]}" | sed "s/^/$(basename "$0"): /"
  return "$falhou"
}

main "$@"
