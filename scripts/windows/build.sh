#!/usr/bin/env bash
# Cross-builds the game for 32-bit Windows with the statically linked
# Allegro of allegro.sh into build-win32/ritmuro.exe, with its icon, version
# details and manifest (cmake/windows.cmake), the same bytes for the same
# source; checks that the result is a console program that needs nothing
# beside it but Windows' own DLLs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/windows/alvo.sh"
escolher_arquitetura "${1:-i686}"

BUILD="$RITMURO_RAIZ/build-win32"
EXE="$BUILD/ritmuro.exe"

verificar_formato() {
  aviso "PE header (signature, magic, machine, subsystem): $(cabecalho_pe "$EXE")"
  exe_do_alvo "$EXE" || abortar "$EXE is not $FORMATO_EXE"
}

verificar_dlls() {
  local dll estranhas=()
  while read -r dll; do
    grep -qiwF "$dll" <<< "$DLLS_DO_SISTEMA" || estranhas+=("$dll")
  done < <("$ARQ-w64-mingw32-objdump" -p "$EXE" | awk '/DLL Name:/ {print $3}')
  aviso "DLLs: $("$ARQ-w64-mingw32-objdump" -p "$EXE" | awk '/DLL Name:/ {printf "%s ", $3}')"
  [ "${#estranhas[@]}" -eq 0 ] || abortar "$EXE needs DLLs Windows does not have: ${estranhas[*]}"
}

main() {
  bash "$RITMURO_RAIZ/scripts/windows/allegro.sh" "$ARQ"
  garantir_pacotes icoutils  # icotool makes the exe's .ico
  aviso "configuring $BUILD ($(duracao))"
  mkdir -p "$BUILD"
  cmake -S "$RITMURO_RAIZ" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_MINGW" \
    -DALLEGRO_PREFIX="$ALLEGRO_MINGW" -DCMAKE_BUILD_TYPE=Release > "$BUILD/configurar.log" 2>&1 || {
      tail -30 "$BUILD/configurar.log" >&2; abortar "configuring failed (log: $BUILD/configurar.log)"; }
  aviso "compiling ($(duracao))"
  cmake --build "$BUILD" --target ritmuro -j2
  [ -f "$EXE" ] || abortar "the build made no $EXE"
  verificar_formato
  verificar_dlls
  aviso "$EXE ready, $(du -h "$EXE" | cut -f1), $(duracao) in all"
}

main "$@"
