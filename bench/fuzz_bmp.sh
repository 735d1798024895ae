#!/usr/bin/env bash
# Fuzzes the start-up picture check followed by the library's load, the path
# every picture takes before the game opens. Not part of the test command.
#   bench/fuzz_bmp.sh [SEGUNDOS] [PASTA_BUILD]       (default 1800 s, build-fuzz)
#
# 1. Builds Allegro 4.4 from Debian's source with AddressSanitizer,
#    UndefinedBehaviorSanitizer and libFuzzer's coverage, so that the
#    sanitizers see inside the library's BMP reader too (the system library
#    is not instrumented: its overruns land in ASan's redzones unseen).
# 2. Fuzzes with libFuzzer (clang 14) at the lowest priority, seeded with the
#    game's pictures, small pictures in every layout and every file of
#    tests/regressao_bmp; leaks checked; any input over 1 s is a failure.
# 3. Replays the corpus, the seeds and the regression files through a plain
#    build over the system library under glibc's heap checks.
# Failing inputs are minimised into PASTA_BUILD/achados/minimizados: fix the
# check, then move them to tests/regressao_bmp, which the test command replays.
# Exits 1 on any crash, leak, slow input or heap-check failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/fontes_allegro.sh"
SEGUNDOS="${1:-1800}"
BUILD="${2:-$RITMURO_RAIZ/build-fuzz}"
BUILD="$(mkdir -p "$BUILD" && cd "$BUILD" && pwd)"
SAN=(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1)
ALLEGRO_SAN="$BUILD/allegro-asan"
ACHADOS="$BUILD/achados"
CORPUS="$BUILD/corpus"
SEMENTES="$BUILD/sementes"
REGRESSAO="$RITMURO_RAIZ/tests/regressao_bmp"

# Only this script needs them; libFuzzer's runtime comes with clang's own
# runtime libraries.
garantir_pacotes clang-14 libclang-rt-14-dev cmake make g++ pkg-config liballegro4-dev
garantir_fontes_allegro

# --- the library, instrumented ------------------------------------------------
OPCOES_ALLEGRO=(-DSHARED=OFF -DWANT_X11=OFF -DWANT_OSS=OFF -DWANT_ALSA=OFF -DWANT_JACK=OFF
  -DWANT_SGIAUDIO=OFF -DWANT_MODULES=OFF -DWANT_ALLEGROGL=OFF -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF
  -DWANT_JPGALLEG=OFF -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF -DWANT_DOCS=OFF
  -DWANT_LINUX_CONSOLE=OFF -DCMAKE_BUILD_TYPE=None)
# On every load of a paletted picture the library computes 1 << 31 in an int
# (select_palette, for the 32-bit colour depth), whatever the file holds:
# undefined in C, but the compilers here give the intended bit. Only that
# check (shift-base) is left out, and only in the library.
CFLAGS_ALLEGRO="${SAN[*]} -fno-sanitize=shift-base -fsanitize=fuzzer-no-link"
MARCA="$ALLEGRO_SAN/.ritmuro-fuzz"
versao_allegro() { echo "$(basename "$(tarball_allegro)") ${OPCOES_ALLEGRO[*]} $CFLAGS_ALLEGRO"; }
if [ ! -f "$ALLEGRO_SAN/lib/liballeg.a" ] || [ "$(cat "$MARCA" 2>/dev/null)" != "$(versao_allegro)" ]; then
  aviso "compiling Allegro with the sanitizers ($(duracao))"
  rm -rf "$BUILD/allegro-src" "$BUILD/allegro-build" "$ALLEGRO_SAN"
  mkdir -p "$BUILD/allegro-src"
  tar -xzf "$(tarball_allegro)" -C "$BUILD/allegro-src" --strip-components=1
  CC=clang-14 CFLAGS="$CFLAGS_ALLEGRO" cmake -S "$BUILD/allegro-src" -B "$BUILD/allegro-build" \
    -DCMAKE_INSTALL_PREFIX="$ALLEGRO_SAN" "${OPCOES_ALLEGRO[@]}" > "$BUILD/allegro-cmake.log" 2>&1 ||
    { tail -30 "$BUILD/allegro-cmake.log" >&2; abortar "configuring Allegro failed"; }
  nice -n 19 make -C "$BUILD/allegro-build" -j2 install > "$BUILD/allegro-make.log" 2>&1 ||
    { tail -30 "$BUILD/allegro-make.log" >&2; abortar "compiling Allegro failed"; }
  versao_allegro > "$MARCA"
fi

# --- the two targets and the seeds --------------------------------------------
FONTES=("$RITMURO_RAIZ/bench/fuzz/alvo_bmp.cpp" "$RITMURO_RAIZ/src/imagens.cpp" "$RITMURO_RAIZ/src/verificacao_bmp.cpp")
aviso "compiling the targets ($(duracao))"
nice -n 19 clang++-14 -std=c++17 "${SAN[@]}" -fsanitize=fuzzer -DRITMURO_LIBFUZZER \
  -I"$ALLEGRO_SAN/include" -I"$RITMURO_RAIZ/src" "${FONTES[@]}" \
  "$ALLEGRO_SAN/lib/liballeg.a" -lm -lrt -lpthread -ldl -o "$BUILD/alvo_bmp_fuzz"
# shellcheck disable=SC2046
nice -n 19 g++ -std=c++17 -O1 -g -I"$RITMURO_RAIZ/src" "${FONTES[@]}" \
  $(pkg-config --cflags --libs allegro) -o "$BUILD/alvo_bmp_simples"
g++ -std=c++17 -O1 -I"$RITMURO_RAIZ/tests/apoio" "$RITMURO_RAIZ/bench/fuzz/sementes_bmp.cpp" -o "$BUILD/sementes_bmp"

rm -rf "$SEMENTES"
mkdir -p "$SEMENTES" "$CORPUS" "$ACHADOS"
"$BUILD/sementes_bmp" "$SEMENTES" > /dev/null
(cd "$RITMURO_RAIZ/data" && find . -name '*.bmp' -print0) | while IFS= read -r -d '' f; do
  cp "$RITMURO_RAIZ/data/$f" "$SEMENTES/jogo_$(echo "${f#./}" | tr '/ ' '__')"
done
cp "$REGRESSAO"/*.bmp "$SEMENTES/"

# --- fuzzing ------------------------------------------------------------------
# Inputs up to 64 KiB: enough for every small layout and for the headers,
# palettes and first rows of the game's pictures (loaded whole in step 3).
export TMPDIR="$BUILD/tmp"
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"
trap 'rm -rf "$TMPDIR"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
antes=$(find "$ACHADOS" -maxdepth 1 -type f | wc -l)
aviso "fuzzing for $SEGUNDOS s ($(duracao))"
codigo=0
nice -n 19 "$BUILD/alvo_bmp_fuzz" "$CORPUS" "$SEMENTES" -max_total_time="$SEGUNDOS" -timeout=1 \
  -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$ACHADOS/" \
  > "$BUILD/fuzz.log" 2>&1 || codigo=$?
execucoes=$(awk '/stat::number_of_executed_units/ {print $2}' "$BUILD/fuzz.log" | tail -1)
porSegundo=$(awk '/stat::average_exec_per_sec/ {print $2}' "$BUILD/fuzz.log" | tail -1)
maisLenta=$(awk '/stat::slowest_unit_time_sec/ {print $2}' "$BUILD/fuzz.log" | tail -1)
novos=$(( $(find "$ACHADOS" -maxdepth 1 -type f | wc -l) - antes ))
if [ "$codigo" != 0 ] || [ "$novos" != 0 ]; then
  grep -E 'ERROR|SUMMARY|Test unit written|ALARM|runtime error' "$BUILD/fuzz.log" | head -20 >&2 || true
fi

# Every failing input so far, minimised, for tests/regressao_bmp.
mkdir -p "$ACHADOS/minimizados"
for achado in "$ACHADOS"/crash-* "$ACHADOS"/leak-* "$ACHADOS"/timeout-* "$ACHADOS"/slow-unit-*; do
  [ -f "$achado" ] || continue
  minimo="$ACHADOS/minimizados/$(basename "$achado").bmp"
  [ -f "$minimo" ] && continue
  nice -n 19 "$BUILD/alvo_bmp_fuzz" -minimize_crash=1 -runs=20000 -timeout=1 \
    -exact_artifact_path="$minimo" "$achado" > "$BUILD/minimizar.log" 2>&1 || true
  [ -f "$minimo" ] || cp "$achado" "$minimo"
done

# --- the plain build over the system library, under glibc's heap checks -------
# On glibc 2.36 MALLOC_CHECK_ only takes effect with the debugging malloc
# preloaded.
aviso "replaying $(find "$CORPUS" "$SEMENTES" -type f | wc -l) files under glibc's heap checks ($(duracao))"
heap=0
find "$CORPUS" "$SEMENTES" -type f -print0 | sort -z |
  xargs -0 env LD_PRELOAD=libc_malloc_debug.so.0 MALLOC_CHECK_=3 nice -n 19 timeout 600 \
    "$BUILD/alvo_bmp_simples" > "$BUILD/heap.log" 2>&1 || heap=$?
cat "$BUILD/heap.log"

echo "fuzz: exit code $codigo; $execucoes executions in $SEGUNDOS s ($porSegundo/s), slowest input ${maisLenta} s; corpus $(find "$CORPUS" -type f | wc -l) files;" \
  "new failing inputs $novos (all kept: $(find "$ACHADOS" -maxdepth 1 -type f | wc -l)); heap-check replay exit code $heap"
[ "$codigo" = 0 ] && [ "$novos" = 0 ] && [ "$heap" = 0 ]
