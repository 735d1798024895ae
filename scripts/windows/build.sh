#!/usr/bin/env bash
# Cross-builds the game for 32-bit Windows with the statically linked
# Allegro of allegro.sh into build-win32/ritmuro.exe, with its icon, version
# details and manifest (cmake/windows.cmake), the same bytes for the same
# source; checks that the result is a console program that needs nothing
# beside it but Windows' own DLLs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/comum.sh"
escolher_arquitetura "${1:-i686}"

BUILD="$RITMURO_RAIZ/build-win32"
FORMATO="PE32 executable (console) Intel 80386"
EXE="$BUILD/ritmuro.exe"

# What any Windows has; anything else (the mingw runtime DLLs above all)
# would have to be shipped beside the game.
DLLS_DO_SISTEMA="kernel32.dll user32.dll gdi32.dll comdlg32.dll ole32.dll oleaut32.dll
advapi32.dll shell32.dll ddraw.dll dinput.dll dinput8.dll dsound.dll winmm.dll msvcrt.dll"

verificar_formato() {
  local descricao
  descricao="$(file -b "$EXE")"
  aviso "file: $descricao"
  [[ "$descricao" == "$FORMATO"* ]] || falha "$EXE não é '$FORMATO'"
}

verificar_dlls() {
  local dll estranhas=()
  while read -r dll; do
    grep -qiwF "$dll" <<< "$DLLS_DO_SISTEMA" || estranhas+=("$dll")
  done < <("$ARQ-w64-mingw32-objdump" -p "$EXE" | awk '/DLL Name:/ {print $3}')
  aviso "DLLs: $("$ARQ-w64-mingw32-objdump" -p "$EXE" | awk '/DLL Name:/ {printf "%s ", $3}')"
  [ "${#estranhas[@]}" -eq 0 ] || falha "$EXE precisa de DLLs que o Windows não tem: ${estranhas[*]}"
}

main() {
  bash "$RITMURO_RAIZ/scripts/windows/allegro.sh" "$ARQ"
  garantir_pacotes icoutils  # icotool makes the exe's .ico
  aviso "configurando $BUILD ($(duracao))"
  mkdir -p "$BUILD"
  cmake -S "$RITMURO_RAIZ" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_MINGW" \
    -DALLEGRO_PREFIX="$ALLEGRO_MINGW" -DCMAKE_BUILD_TYPE=Release > "$BUILD/configurar.log" 2>&1 || {
      tail -30 "$BUILD/configurar.log" >&2; falha "a configuração falhou (registro em $BUILD/configurar.log)"; }
  aviso "compilando ($(duracao))"
  cmake --build "$BUILD" --target ritmuro -j2
  [ -f "$EXE" ] || falha "a compilação não produziu $EXE"
  verificar_formato
  verificar_dlls
  aviso "$EXE pronto, $(du -h "$EXE" | cut -f1), $(duracao) no total"
}

main "$@"
