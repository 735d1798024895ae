#!/usr/bin/env bash
# Builds the benchmarks (Release), runs them from data/ on the real pictures
# and prints a table of the figures against their goals.
#   bench/rodar.sh [REPETICOES] [PASTA_BUILD]
# Figures are medians over the repetitions, on CPU time (the thread's own
# time: on a busy machine the wall time also counts other programs). Exits 1
# when a figure misses its goal.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
REPETICOES="${1:-5}"
BUILD="${2:-$RAIZ/build-bench}"
SAIDA="$BUILD/bench-resultados.csv"

cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DRITMURO_TESTS=OFF > /dev/null
cmake --build "$BUILD" -j2 --target bench_ritmuro > /dev/null

(cd "$RAIZ/data" && "$BUILD/bench/bench_ritmuro" \
  --benchmark_repetitions="$REPETICOES" --benchmark_report_aggregates_only=true \
  --benchmark_out="$SAIDA" --benchmark_out_format=csv)

echo
echo "Load average while measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
# The CSV's columns depend on which counters were reported: read them by name.
awk -F, '
function us(v, unidade) {
  if (unidade == "ns") return v / 1000
  if (unidade == "ms") return v * 1000
  if (unidade == "s") return v * 1000000
  return v
}
function linha(nome, valor, meta, passou) {
  printf "| %-40s | %-26s | %-30s | %-4s |\n", nome, valor, meta, passou ? "ok" : "MISS"
  if (!passou) falhas++
}
/^name,/ { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); col[$i] = i }; cabecalho = 1; next }
!cabecalho { next }
{
  nome = $1; gsub(/"/, "", nome)
  if (nome !~ /_median$/) next
  sub(/_median$/, "", nome)
  cpu[nome] = us($col["cpu_time"], $col["time_unit"])
  real[nome] = us($col["real_time"], $col["time_unit"])
  ordem[++n] = nome
}
END {
  piso = cpu["BM_PisoMemoria"]
  printf "\nMemory floor (memcpy of the %d pixel bytes a frame moves): %.1f us\n\n", 2457600, piso
  printf "| %-40s | %-26s | %-30s | %-4s |\n", "figure (median, CPU time)", "measured", "goal", ""
  printf "|------------------------------------------|----------------------------|--------------------------------|------|\n"
  printf "| %-40s | %-26s | %-30s | %-4s |\n", "game frames:", "us, budget, x floor", "", ""
  pior = 0; piorNome = ""
  for (k = 1; k <= n; k++) {
    nome = ordem[k]
    if (nome !~ /^BM_Quadro/) continue
    rotulo = nome; sub(/^BM_/, "", rotulo); sub(/\/iterations:[0-9]+/, "", rotulo)
    printf "| %-40s | %-26s | %-30s | %-4s |\n", rotulo, \
      sprintf("%.0f us %.4f %.1fx", cpu[nome], cpu[nome] / 16000, cpu[nome] / piso), \
      sprintf("(wall %.0f us)", real[nome]), ""
    if (cpu[nome] > pior) { pior = cpu[nome]; piorNome = rotulo }
  }
  linha("worst game frame: " piorNome, sprintf("%.0f us", pior), "< 1000 us (1/16 of 16 ms)", pior < 1000)
  linha("worst game frame / memory floor", sprintf("%.1fx", pior / piso), "<= 4x", pior / piso <= 4)
  menu = cpu["BM_MenuTitulo/iterations:300"]
  linha("title menu, one pass", sprintf("%.0f us", menu), "< 1000 us (1/16 of a frame)", menu < 1000)
  jogo = cpu["BM_MontarJogo"]
  linha("building a two-player game", sprintf("%.1f ms", jogo / 1000), "< 50 ms", jogo < 50000)
  verif = cpu["BM_VerificarImagens"]
  linha("start-up picture check (79 files)", sprintf("%.1f ms", verif / 1000), "< 150 ms (half of start-up)", verif < 150000)
  exit falhas > 0
}' "$SAIDA"
