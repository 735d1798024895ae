# shellcheck shell=bash
# The wine environment of the game's Windows tests (sourced, not run; needs
# scripts/lib/comum.sh): 32-bit wine, the released exe's own platform, in a prefix of
# our own, quiet, without the Mono/Gecko install prompts or desktop menu
# entries.
#
# Where the machine executes 32-bit x86 code, wine32 runs as it is. Where it
# does not (a kernel with its 32-bit emulation switched off), wine32's i386
# programs run under qemu-i386 user-mode emulation (scripts/windows/qemu.sh),
# reached through a binfmt_misc instance that only a private namespace sees
# (scripts/windows/wine32-emulado.sh): nothing is registered for the rest of
# the machine. Every wine command goes through com_wine.
# Sets WINE, WINEPREFIX, RITMURO_WINE_MODO (nativo or qemu; may be given),
# QEMU_I386 and COM_WINE (the prefix of every wine command line).
# shellcheck disable=SC2034  # the variables are for the callers

export WINEPREFIX="${RITMURO_WINEPREFIX:-$RITMURO_CACHE/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=wine
export QEMU_I386="$RITMURO_CACHE/qemu-i386/qemu-i386"

if [ -z "${RITMURO_WINE_MODO:-}" ]; then
  if maquina_executa_32_bits; then RITMURO_WINE_MODO=nativo; else RITMURO_WINE_MODO=qemu; fi
fi
export RITMURO_WINE_MODO
case "$RITMURO_WINE_MODO" in
  nativo) COM_WINE=() ;;
  qemu) COM_WINE=(bash "$RITMURO_RAIZ/scripts/windows/wine32-emulado.sh") ;;
  *) abortar "RITMURO_WINE_MODO must be nativo or qemu, not '$RITMURO_WINE_MODO'" ;;
esac

# Runs a wine command (wine, wineserver, ...) where 32-bit wine works here.
com_wine() { "${COM_WINE[@]}" "$@"; }

# One line on how wine runs the game here, for the tests' output.
como_o_wine_roda() {
  local versao
  versao="$(com_wine "$WINE" --version 2> /dev/null || echo 'wine ?')"
  if [ "$RITMURO_WINE_MODO" = nativo ]; then
    echo "32-bit $versao, native (this machine executes 32-bit x86 code)"
  else
    echo "32-bit $versao under $("$QEMU_I386" --version 2> /dev/null | head -1 | sed 's/ (.*//')" \
      "(user-mode emulation: kernel $(uname -r) refuses 32-bit programs; a namespace's private binfmt_misc)"
  fi
}
