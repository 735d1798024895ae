#!/usr/bin/env bash
# The health bar built on its own for 32-bit Linux, end to end:
#   1. builds the object with the `sangue32` target of the CMake build
#      (BUILD_DIR/sangue32/Sangue.o) and checks by its ELF header that it is
#      an i386 relocatable;
#   2. builds a 32-bit GoogleTest from Debian's sources into a cache folder,
#      once (RITMURO_CACHE, default /var/cache/ritmuro);
#   3. builds the 32-bit test program on that very object (tests/sangue32/)
#      and runs the health-bar tests;
#   4. prints `readelf -h` and `nm -C` of the object.
# Usage: scripts/sangue32.sh [BUILD_DIR [CXX]]
#   BUILD_DIR  a CMake build of the project (configured here if it is not yet);
#              default build-sangue32 in the source tree
#   CXX        the C++ compiler; default the one of BUILD_DIR
# Needs: scripts/instalar-dependencias.sh --i386 (and qemu-user where the
# kernel has no 32-bit emulation)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/comum.sh"
RAIZ=$RITMURO_RAIZ
BUILD=$(realpath -m "${1:-$RAIZ/build-sangue32}")
CXX_PEDIDO=${2:-}
GTEST_FONTES=/usr/src/googletest
ALLEGRO32=/usr/lib/i386-linux-gnu/liballeg.so.4.4
TOOLCHAIN=$RAIZ/tests/sangue32/i386.cmake
# ELF header: 32-bit (class 1), little endian (data 1), i386 (machine 3);
# type 1 for the object, 2 or 3 for the program (see cabecalho_elf).
OBJETO_ESPERADO="1 1 1 3"
PROGRAMA_ESPERADO="^1 1 [23] 3$"

passo() {
  echo "== sangue32: $*"
}

verificar_dependencias() {
  local falta=()
  [ -e "$ALLEGRO32" ] || falta+=("i386 Allegro ($ALLEGRO32)")
  [ -f "$GTEST_FONTES/CMakeLists.txt" ] || falta+=("googletest ($GTEST_FONTES)")
  if [ "${#falta[@]}" -gt 0 ]; then
    abortar "missing: ${falta[*]}; run scripts/instalar-dependencias.sh --i386"
  fi
}

# A trivial C++ program must compile and link with -m32 (the multilib packages).
verificar_multilib() {
  local tmp
  tmp=$(mktemp -d)
  printf '#include <string>\nint main() { return std::string("x").size() - 1; }\n' >"$tmp/t.cpp"
  if ! "$CXX" -m32 "$tmp/t.cpp" -o "$tmp/t" 2>"$tmp/erro"; then
    cat "$tmp/erro" >&2
    rm -rf "$tmp"
    abortar "$CXX cannot build 32-bit programs; run scripts/instalar-dependencias.sh --i386 (gcc-multilib g++-multilib)"
  fi
  rm -rf "$tmp"
}

configurar_build() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    passo "configuring $BUILD"
    local args=(-S "$RAIZ" -B "$BUILD")
    [ -n "$CXX_PEDIDO" ] && args+=("-DCMAKE_CXX_COMPILER=$CXX_PEDIDO")
    cmake "${args[@]}" >/dev/null
  fi
  CXX=${CXX_PEDIDO:-$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$BUILD/CMakeCache.txt")}
  [ -n "$CXX" ] || abortar "no C++ compiler in $BUILD/CMakeCache.txt"
}

construir_objeto() {
  passo "object"
  cmake --build "$BUILD" --target sangue32
  OBJETO=$BUILD/sangue32/Sangue.o
  [ -f "$OBJETO" ] || abortar "the sangue32 target did not produce $OBJETO"
  local cabecalho
  cabecalho=$(cabecalho_elf "$OBJETO") || abortar "$OBJETO is not an ELF file"
  [ "$cabecalho" = "$OBJETO_ESPERADO" ] ||
    abortar "$OBJETO's ELF header (class data type machine) is '$cabecalho', expected '$OBJETO_ESPERADO' (an i386 relocatable)"
}

# Folder for the 32-bit GoogleTest: the system cache if writable, else the user's.
pasta_cache() {
  local base=${RITMURO_CACHE:-/var/cache/ritmuro}
  if ! mkdir -p "$base" 2>/dev/null || [ ! -w "$base" ]; then
    base=${XDG_CACHE_HOME:-$HOME/.cache}/ritmuro
    mkdir -p "$base"
  fi
  echo "$base"
}

# Built once per GoogleTest version and compiler; rebuilt when either changes.
# A lock keeps two builds running this script at once from racing.
construir_gtest32() {
  local cache marca
  cache=$(pasta_cache)
  GTEST32=$cache/gtest32
  marca="googletest $(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo unknown); $("$CXX" --version | head -1)"
  exec 9>"$cache/gtest32.lock"
  flock 9
  if [ -f "$GTEST32/.ritmuro-gtest32" ] && [ "$(cat "$GTEST32/.ritmuro-gtest32")" = "$marca" ]; then
    passo "gtest32 already in $GTEST32"
  else
    passo "building gtest32 into $GTEST32"
    local tmp inicio
    inicio=$(date +%s)
    tmp=$(mktemp -d "$cache/gtest32-build.XXXXXX")
    cmake -S "$GTEST_FONTES" -B "$tmp/build" \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_CXX_COMPILER="$CXX" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
      -DCMAKE_INSTALL_PREFIX="$GTEST32" >"$tmp/configurar.log" 2>&1 ||
      { tail -20 "$tmp/configurar.log" >&2; abortar "configuring GoogleTest failed"; }
    cmake --build "$tmp/build" -j2 >"$tmp/construir.log" 2>&1 ||
      { tail -20 "$tmp/construir.log" >&2; abortar "building GoogleTest failed"; }
    rm -rf "$GTEST32"
    cmake --install "$tmp/build" >/dev/null
    echo "$marca" >"$GTEST32/.ritmuro-gtest32"
    rm -rf "$tmp"
    passo "gtest32 built in $(($(date +%s) - inicio)) s"
  fi
  flock -u 9
  local lib
  lib=$(find "$GTEST32" -name libgtest.a | head -1)
  [ -n "$lib" ] || abortar "no libgtest.a under $GTEST32"
}

construir_testes() {
  passo "32-bit test program"
  TESTES_BUILD=$BUILD/sangue32/testes
  cmake -S "$RAIZ/tests/sangue32" -B "$TESTES_BUILD" \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_CXX_COMPILER="$CXX" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSANGUE_OBJETO="$OBJETO" -DGTEST32_PREFIX="$GTEST32" \
    -DRITMURO_DADOS="$RAIZ/data" >/dev/null
  cmake --build "$TESTES_BUILD" -j2
  PROGRAMA=$TESTES_BUILD/testes_sangue32
  local cabecalho
  cabecalho=$(cabecalho_elf "$PROGRAMA") || abortar "$PROGRAMA is not an ELF file"
  [[ "$cabecalho" =~ $PROGRAMA_ESPERADO ]] ||
    abortar "$PROGRAMA is not a 32-bit i386 program: ELF header (class data type machine) '$cabecalho'"
}

# A kernel without 32-bit emulation (ia32_emulation=off) refuses i386
# programs: then they run under qemu's user-mode i386 emulator, called here.
escolher_executor() {
  EXECUTOR=()
  if maquina_executa_32_bits; then
    return
  fi
  local qemu
  qemu=$(command -v qemu-i386 || command -v qemu-i386-static) ||
    abortar "this kernel does not run 32-bit programs and there is no qemu-i386 (package qemu-user)"
  EXECUTOR=("$qemu" -L /)
  passo "the kernel does not run 32-bit programs: using ${EXECUTOR[*]}"
}

rodar_testes() {
  escolher_executor
  passo "running $PROGRAMA"
  # Like the native tests, from data/ when it is there.
  local pasta=$RAIZ/data
  [ -d "$pasta" ] || pasta=$RAIZ
  (cd "$pasta" && "${EXECUTOR[@]}" "$PROGRAMA")
}

mostrar_objeto() {
  passo "readelf -h $OBJETO"
  readelf -h "$OBJETO"
  passo "nm -C $OBJETO"
  nm -C "$OBJETO"
}

verificar_dependencias
configurar_build
verificar_multilib
construir_objeto
construir_gtest32
construir_testes
rodar_testes
mostrar_objeto
echo "== sangue32: OK"
