# shellcheck shell=bash
# The wine environment of the game's Windows tests (sourced, not run; needs
# comum.sh): a prefix of our own, quiet, without the Mono/Gecko install
# prompts or desktop menu entries.
#
# The released game is 32-bit and runs in a 32-bit prefix. Where the machine
# cannot execute 32-bit code (its kernel has 32-bit emulation switched off)
# wine32 cannot start at all, so the tests run the 64-bit Windows build of the
# same game in a 64-bit prefix instead. RITMURO_WINE=win32 or win64 forces the
# choice. Sets WINE (the loader to run .exe files with), RITMURO_WINE and
# RITMURO_WINE_ARQ (the game build the prefix runs: i686 or x86_64).
# shellcheck disable=SC2034  # WINE and RITMURO_WINE_ARQ are for the callers

if [ -z "${RITMURO_WINE:-}" ]; then
  if maquina_executa_32_bits; then RITMURO_WINE=win32; else RITMURO_WINE=win64; fi
fi
case "$RITMURO_WINE" in
  win32)
    export WINEPREFIX="${RITMURO_WINEPREFIX:-$RITMURO_CACHE/wineprefix}"
    WINE=wine
    RITMURO_WINE_ARQ=i686 ;;
  win64)
    export WINEPREFIX="${RITMURO_WINEPREFIX:-$RITMURO_CACHE/wineprefix64}"
    # The plain `wine` launcher prefers the 32-bit loader whenever wine32 is
    # installed, even where it cannot run.
    WINE=/usr/lib/wine/wine64
    export WINELOADER=$WINE
    RITMURO_WINE_ARQ=x86_64 ;;
  *) falha "RITMURO_WINE deve ser win32 ou win64, não '$RITMURO_WINE'" ;;
esac
export RITMURO_WINE
export WINEARCH=$RITMURO_WINE
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
