#!/usr/bin/env bash
# The long soak: the seeded two-player games of the unit soak, with the same
# checks after every frame, until a million frames have been played, under
# AddressSanitizer + UndefinedBehaviorSanitizer with leak checking. Not part
# of the test command (which plays the short soak); takes tens of minutes.
#   bench/soak_longo.sh [PASTA_BUILD]
# Runs at the lowest priority, so other work on the machine keeps its timing.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build-asan}"

cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DRITMURO_SANITIZE=ON -DRITMURO_BENCH=OFF > /dev/null
nice -n 19 cmake --build "$BUILD" -j2 --target testes_unidade > /dev/null

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
inicio=$(date +%s)
codigo=0
(cd "$RAIZ/data" && nice -n 19 "$BUILD/tests/testes_unidade" \
  --gtest_also_run_disabled_tests --gtest_filter='SoakJogo.DISABLED_UmMilhaoDeQuadros') || codigo=$?
echo "long soak: $(( $(date +%s) - inicio )) s, exit code $codigo"
exit "$codigo"
