# shellcheck shell=bash
# The Windows target of the cross-builds (sourced after scripts/lib/comum.sh):
# the released 32-bit game, built with mingw-w64.
# Sets ARQ, TOOLCHAIN_MINGW, ALLEGRO_MINGW, PACOTES_MINGW; exe_do_alvo and
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

# What the exe players get must be, read from its PE header itself (a tool's
# description of it changes between releases): a PE32 image for i386
# (machine 0x14c) of the console subsystem (3).
FORMATO_EXE="PE32, machine 0x14c (i386), console subsystem"
_inteiro_le() {  # _inteiro_le FILE OFFSET BYTES: a little-endian unsigned integer
  od -An -v --endian=little -t "u$3" -j "$2" -N "$3" "$1" 2> /dev/null | tr -d ' '
}
# Prints "signature magic machine subsystem" of a PE image, in hex.
cabecalho_pe() {
  local pe
  pe="$(_inteiro_le "$1" 60 4)"
  [ -n "$pe" ] || return 1
  printf '%s 0x%x 0x%x %d\n' "$(od -An -c -j "$pe" -N 2 "$1" 2> /dev/null | tr -d ' ')" \
    "$(_inteiro_le "$1" $((pe + 24)) 2)" "$(_inteiro_le "$1" $((pe + 4)) 2)" "$(_inteiro_le "$1" $((pe + 92)) 2)"
}
exe_do_alvo() {  # exe_do_alvo EXE: true when the header is FORMATO_EXE's
  [ "$(cabecalho_pe "$1")" = "PE 0x10b 0x14c 3" ]
}
# The DLLs the exe may import: what every Windows has, so that nothing needs
# to be shipped beside the game (the mingw runtime DLLs above all).
DLLS_DO_SISTEMA="kernel32.dll user32.dll gdi32.dll comdlg32.dll ole32.dll oleaut32.dll
advapi32.dll shell32.dll ddraw.dll dinput.dll dinput8.dll dsound.dll winmm.dll msvcrt.dll"
