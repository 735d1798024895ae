# shellcheck shell=bash
# The Windows target of the cross-builds (sourced after scripts/lib/comum.sh):
# the released 32-bit game, built with mingw-w64.
# Sets ARQ, TOOLCHAIN_MINGW, ALLEGRO_MINGW, PACOTES_MINGW; FORMATO_EXE and
# DLLS_DO_SISTEMA say what the exe must be.
# shellcheck disable=SC2034  # the variables are for the scripts that call it
escolher_arquitetura() {
  ARQ="${1:-i686}"
  [ "$ARQ" = i686 ] || abortar "unknown architecture '$ARQ' (only i686: the released game is 32-bit)"
  ALLEGRO_MINGW="${ALLEGRO_MINGW:-$RITMURO_CACHE/allegro-mingw}"
  PACOTES_MINGW=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
                 mingw-w64-i686-dev binutils-mingw-w64-i686)
  TOOLCHAIN_MINGW="$RITMURO_RAIZ/cmake/mingw-$ARQ.cmake"
}

# What file(1) says of the exe players get, and the DLLs it may import: what
# every Windows has, so that nothing needs to be shipped beside the game (the
# mingw runtime DLLs above all).
FORMATO_EXE="PE32 executable (console) Intel 80386"
DLLS_DO_SISTEMA="kernel32.dll user32.dll gdi32.dll comdlg32.dll ole32.dll oleaut32.dll
advapi32.dll shell32.dll ddraw.dll dinput.dll dinput8.dll dsound.dll winmm.dll msvcrt.dll"
