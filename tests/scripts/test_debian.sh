#!/usr/bin/env bash
# The scripts' facts about the machine, on made-up machines: which Debian
# release it runs (and the one message for any other system), the package
# names that differ between releases, the archive read from the machine's
# own apt configuration only, and the ELF and PE headers the builds are
# checked by. Needs nothing installed but coreutils.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/verificacoes.sh"
source "$RITMURO_RAIZ/scripts/windows/alvo.sh"
igual() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'"; return 1; }; }
TMP="$(mktemp -d /tmp/ritmuro-test-debian.XXXXXX)"
trap 'rm -rf "$TMP"' EXIT

os_release() {  # os_release NAME ID VERSION_ID CODENAME PRETTY_NAME
  printf 'ID=%s\nVERSION_ID="%s"\nVERSION_CODENAME=%s\nPRETTY_NAME="%s"\n' "$2" "$3" "$4" "$5" > "$TMP/$1"
}
os_release debian12 debian 12 bookworm "Debian GNU/Linux 12 (bookworm)"
os_release debian13 debian 13 trixie "Debian GNU/Linux 13 (trixie)"
os_release debian11 debian 11 bullseye "Debian GNU/Linux 11 (bullseye)"
os_release ubuntu ubuntu 24.04 noble "Ubuntu 24.04.1 LTS"

# ---- the release
na_release() {  # na_release OS_RELEASE COMMAND...: in a subshell, reading that file
  (export RITMURO_OS_RELEASE="$TMP/$1"; unset DEBIAN_VERSAO; shift; "$@")
}
versao_e_codinome() { release_debian && echo "$DEBIAN_VERSAO $DEBIAN_CODINOME"; }
verificar "Debian 12 is read as 12 bookworm" igual "$(na_release debian12 versao_e_codinome)" "12 bookworm"
verificar "Debian 13 is read as 13 trixie" igual "$(na_release debian13 versao_e_codinome)" "13 trixie"
verificar "the i386 Allegro is liballegro4.4 on 12, liballegro4.4t64 on 13, other packages keep their names" \
  igual "$(na_release debian12 pacote_da_release liballegro4.4:i386) $(na_release debian13 pacote_da_release liballegro4.4:i386) $(na_release debian13 pacote_da_release wine32:i386)" \
  "liballegro4.4:i386 liballegro4.4t64:i386 wine32:i386"
# Another system: the install script stops at once with one line naming the
# supported releases (it would reach apt otherwise: it runs as root here).
recusa() {  # recusa OS_RELEASE EXPECTED_LINE
  local saida codigo
  saida="$(RITMURO_OS_RELEASE="$TMP/$1" bash "$RITMURO_RAIZ/scripts/instalar-dependencias.sh" --i386 2>&1)"
  codigo=$?
  igual "$codigo $saida" "1 instalar-dependencias.sh: ERROR: $2"
}
SUPORTE="this project supports Debian 12 (bookworm) and Debian 13 (trixie) only"
verificar "Debian 11 is refused in one message" recusa debian11 "this machine runs Debian GNU/Linux 11 (bullseye); $SUPORTE"
verificar "Ubuntu is refused in one message" recusa ubuntu "this machine runs Ubuntu 24.04.1 LTS; $SUPORTE"
verificar "a machine without os-release is refused in one message" recusa nenhum "$TMP/nenhum is missing: $SUPORTE"

# ---- the archive: the machine's apt configuration, nothing else
arquivo() {  # arquivo APT_FOLDER: "URI SUITE SECURITY_URI", or the error
  # under set -e, like the scripts that call it
  (set -e; RITMURO_APT_FONTES="$1"; arquivo_debian; echo "$ARQUIVO_URI $ARQUIVO_SUITE ${ARQUIVO_SEGURANCA_URI:--}") 2>&1
}
mkdir -p "$TMP/deb822/sources.list.d" "$TMP/lista" "$TMP/vazio/sources.list.d"
printf 'Types: deb\nURIs: http://espelho.example/debian\nSuites: trixie trixie-updates\nComponents: main\n\nTypes: deb\nURIs: http://espelho.example/seguranca\nSuites: trixie-security\nComponents: main\n' \
  > "$TMP/deb822/sources.list.d/debian.sources"
printf '# a comment\ndeb [arch=amd64] http://outro.example/debian bookworm main\ndeb http://espelho.example/debian bookworm main\ndeb http://espelho.example/seguranca bookworm-security main\n' \
  > "$TMP/lista/sources.list"
verificar "the archive of a deb822 debian.sources" \
  igual "$(arquivo "$TMP/deb822")" "http://espelho.example/debian trixie http://espelho.example/seguranca"
verificar "the archive of a one-line sources.list" \
  igual "$(arquivo "$TMP/lista")" "http://espelho.example/debian bookworm http://espelho.example/seguranca"
sem_arquivo="$(arquivo "$TMP/vazio")"
verificar "no archive configured: a clear error, no archive made up" \
  igual "$? $sem_arquivo" \
  "1 test_debian.sh: ERROR: no Debian archive in $TMP/vazio/sources.list.d/debian.sources or $TMP/vazio/sources.list: add the one this machine installs from"

# ---- headers
# A PE image's first bytes: the DOS header pointing at offset 64, "PE\0\0",
# the machine, and the optional header's magic and (at its byte 68) subsystem.
pe() {  # pe FILE MACHINE_HEX MAGIC_HEX SUBSYSTEM
  head -c 200 /dev/zero > "$1"
  escrever() { printf "$2" | dd of="$1" bs=1 seek="$3" conv=notrunc status=none; }
  escrever "$1" 'MZ' 0
  escrever "$1" '\x40' 60
  escrever "$1" 'PE\0\0' 64
  escrever "$1" "\\x${2:2:2}\\x${2:0:2}" 68
  escrever "$1" "\\x${3:2:2}\\x${3:0:2}" 88
  escrever "$1" "\\x$(printf %02x "$4")" 156
}
pe "$TMP/console.exe" 014c 010b 3
pe "$TMP/gui.exe" 014c 010b 2
pe "$TMP/x64.exe" 8664 020b 3
verificar "a 32-bit console PE is the game's format" exe_do_alvo "$TMP/console.exe"
verificar "a GUI PE, a 64-bit PE and an ELF file are not" \
  igual "$(exe_do_alvo "$TMP/gui.exe"; echo -n $?)$(exe_do_alvo "$TMP/x64.exe"; echo -n $?)$(exe_do_alvo /bin/sh; echo -n $?)" 111
declare -A MAQUINA_ELF=([x86_64]=62 [aarch64]=183 [i686]=3 [i386]=3)
verificar "the ELF header of this shell: LSB, an executable or shared object for $(uname -m)" \
  grep -Eqx "[12] 1 [23] ${MAQUINA_ELF[$(uname -m)]:-[0-9]+}" <(cabecalho_elf "$(readlink -f /bin/sh)")
verificar "a file that is not ELF has no ELF header" igual "$(cabecalho_elf "$TMP/console.exe"; echo $?)" 1
terminar
