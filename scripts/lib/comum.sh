# shellcheck shell=bash
# What every script of the project shares (sourced, not run):
#   source scripts/lib/comum.sh
# the checkout's root and cache folder, messages, the picture folders, the
# 32-bit probe and the copy of a tree. Packages: pacotes.sh; checks and their
# counts: verificacoes.sh; a virtual X server: xvfb.sh; release time stamps:
# epoca.sh. Every message is English and names the script that prints it.

RITMURO_RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
RITMURO_CACHE="${RITMURO_CACHE:-/var/cache/ritmuro}"

# aviso says what the script is doing; abortar says why it cannot go on and
# ends it with exit code 1 (a failed check that lets the script go on is
# falha, in verificacoes.sh).
aviso() { echo "$(basename "$0"): $*"; }
abortar() { echo "$(basename "$0"): ERROR: $*" >&2; exit 1; }

# Seconds since the script started, for the time reports.
duracao() { echo "${SECONDS}s"; }

# The folders of data/ the game loads its pictures from, one per line in byte
# order: read from the paths the game itself loads (src/imagens.h and the
# health bar's own in src/Sangue.h), so that no list of them can disagree
# with the game.
pastas_de_imagens() {
  grep -ho '"\./[a-z]*/' "$RITMURO_RAIZ/src/imagens.h" "$RITMURO_RAIZ/src/Sangue.h" |
    cut -d/ -f2 | LC_ALL=C sort -u
}

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

# An ELF file's header, as numbers (what a tool prints of it changes between
# releases): "CLASS DATA TYPE MACHINE", e.g. "1 1 1 3" for a 32-bit
# little-endian relocatable object for i386 (class 1 = 32-bit, data 1 = LSB,
# type 1 REL, 2 EXEC, 3 DYN; machine 3 = i386, 62 = x86-64).
cabecalho_elf() {
  [ "$(od -An -t x1 -N 4 "$1" 2> /dev/null | tr -d ' ')" = 7f454c46 ] || return 1
  echo "$(od -An -v -t u1 -j 4 -N 2 "$1") $(od -An -v --endian=little -t u2 -j 16 -N 4 "$1")" | tr -s ' ' | sed 's/^ //'
}

# The files of tree SOURCE as they are now, committed or not, copied into
# DESTINATION: without git, the build folders and dist/ (with git: what
# .gitignore leaves out).
copiar_fontes() {  # copiar_fontes SOURCE DESTINATION
  mkdir -p "$2"
  # (a tree with no git of its own may sit inside another's checkout)
  if command -v git > /dev/null &&
     [ "$(git -C "$1" rev-parse --show-toplevel 2> /dev/null)" = "$(cd "$1" && pwd -P)" ]; then
    (cd "$1" && git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] || [ -L "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -cf -) | tar -xf - -C "$2"
  else
    tar -C "$1" --exclude=./.git --exclude='./build*' --exclude=./dist --exclude='./obj-*' \
      -cf - . | tar -xf - -C "$2"
  fi
}
