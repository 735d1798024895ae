#!/usr/bin/env bash
# Runs the end-to-end suites several times and shows which checks ever fail:
# a check that fails in one run of ten is a flake, one that fails in every
# run is a fault. Run as root from the checkout.
#   scripts/cacar-falhas.sh [-n RUNS] [--suite native|wine|both] [--load] [--test NAME]...
#     -n RUNS    runs of each suite (default 3)
#     --suite    native: tests/e2e/test_*.sh on the game built in build/, each
#                run by ctest (-R e2e.NAME) with the arguments the build
#                gives it; wine: tests/e2e_wine/test_*.sh on the exe of
#                dist/ritmuro-win32.zip under 32-bit wine, always under
#                qemu-i386, with their own default helpers; both (the default)
#     --load     everything runs beside `stress-ng --cpu 2`
#     --test     only that test script (test_falhas or test_falhas.sh), of
#                every suite chosen that has it; may be given more than once
# Prints a table of every check against every run (ok, FAIL, or - when the
# check was not reached), the failures with their own words, each run's
# time, and the wine runs that hung and were tried again. Numbers in a
# check's description (a position, a count) are shown as # so that the same
# check lines up across runs. Every script's output is kept in a folder of
# /tmp that is named at the end. Exits 1 when anything failed. Stopped early
# (Ctrl-C, kill -INT or -TERM), it stops the load and shows the runs it
# finished.
set -uo pipefail
source "$(dirname "$0")/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"

USO="usage: $(basename "$0") [-n RUNS] [--suite native|wine|both] [--load] [--test NAME]..."
BUILD="$RITMURO_RAIZ/build"
LIMITE_SCRIPT_S=1800   # one test script; the wine ones retry hung runs themselves

VEZES=3
SUITES=(native wine)
CARGA=0
SO_TESTES=()
CARGA_PID=""
SAIDA=""
FEITAS=0   # runs finished, every suite of them

uso_errado() {
  echo "$(basename "$0"): $*" >&2
  echo "$USO" >&2
  exit 2
}

ler_opcoes() {
  while [ $# -gt 0 ]; do
    case "$1" in
      -n)
        [ $# -ge 2 ] || uso_errado "-n needs a number of runs"
        [[ "$2" =~ ^[1-9][0-9]*$ ]] || uso_errado "-n takes a whole number of runs from 1, not '$2'"
        VEZES=$2; shift ;;
      --suite)
        [ $# -ge 2 ] || uso_errado "--suite needs native, wine or both"
        case "$2" in
          native) SUITES=(native) ;;
          wine) SUITES=(wine) ;;
          both) SUITES=(native wine) ;;
          *) uso_errado "no suite '$2': native, wine or both" ;;
        esac
        shift ;;
      --load) CARGA=1 ;;
      --test)
        [ $# -ge 2 ] || uso_errado "--test needs a test script's name"
        SO_TESTES+=("$(basename "${2%.sh}")"); shift ;;
      -h|--help) echo "$USO"; exit 0 ;;
      *) uso_errado "unknown option '$1'" ;;
    esac
    shift
  done
}

pasta_da_suite() {
  case "$1" in
    native) echo "$RITMURO_RAIZ/tests/e2e" ;;
    wine) echo "$RITMURO_RAIZ/tests/e2e_wine" ;;
  esac
}

# The suite's test scripts, by name, filtered by --test.
testes_da_suite() {  # testes_da_suite SUITE
  local script nome
  for script in "$(pasta_da_suite "$1")"/test_*.sh; do
    nome="$(basename "$script" .sh)"
    if [ ${#SO_TESTES[@]} = 0 ] || [[ " ${SO_TESTES[*]} " == *" $nome "* ]]; then echo "$nome"; fi
  done
}

conferir_testes() {
  local nome suite achou
  for nome in "${SO_TESTES[@]}"; do
    achou=0
    for suite in "${SUITES[@]}"; do
      [ -f "$(pasta_da_suite "$suite")/$nome.sh" ] && achou=1
    done
    [ "$achou" = 1 ] || uso_errado "no test script '$nome' in the suite(s) ${SUITES[*]}"
  done
}

# --- preparing what the suites run ------------------------------------------

preparar_native() {
  aviso "building the game natively in $BUILD"
  cmake -S "$RITMURO_RAIZ" -B "$BUILD" > "$SAIDA/preparo-nativo.log" 2>&1 &&
    cmake --build "$BUILD" -j2 >> "$SAIDA/preparo-nativo.log" 2>&1 ||
    { tail -20 "$SAIDA/preparo-nativo.log" >&2; abortar "the native build failed"; }
}

# The exe as players get it: built, zipped, unzipped; the wine prefix.
preparar_wine() {
  export RITMURO_WINE_MODO=qemu
  source "$RITMURO_RAIZ/scripts/windows/ambiente-wine.sh"
  aviso "building the exe and dist/ritmuro-win32.zip"
  bash "$RITMURO_RAIZ/scripts/windows/zip.sh" > "$SAIDA/preparo-wine.log" 2>&1 ||
    { tail -20 "$SAIDA/preparo-wine.log" >&2; abortar "the exe or the zip was not made"; }
  unzip -q "$RITMURO_RAIZ/dist/ritmuro-win32.zip" -d "$SAIDA/zip" || abortar "the zip does not unpack"
  aviso "preparing the wine prefix $WINEPREFIX"
  # (wine-setup.sh takes the prefix's lock itself, as each wine test does)
  bash "$RITMURO_RAIZ/scripts/windows/wine-setup.sh" >> "$SAIDA/preparo-wine.log" 2>&1 ||
    { tail -20 "$SAIDA/preparo-wine.log" >&2; abortar "the wine prefix is not ready"; }
}

# --- the load ----------------------------------------------------------------

# stress-ng in a process group of its own, so that its workers end with it.
iniciar_carga() {
  garantir_comando stress-ng stress-ng || exit 1
  setsid stress-ng --cpu 2 --timeout 6h > "$SAIDA/stress-ng.log" 2>&1 &
  CARGA_PID=$!
  aviso "load: stress-ng --cpu 2 (process group $CARGA_PID)"
}

parar_carga() {
  [ -n "$CARGA_PID" ] || return 0
  kill -TERM -- "-$CARGA_PID" 2> /dev/null
  wait "$CARGA_PID" 2> /dev/null
  CARGA_PID=""
}

# --- running ----------------------------------------------------------------

# A native test exactly as ctest runs it (its lines then start with the
# test's number); a wine test on the unzipped exe and its pictures.
comando_do_teste() {  # comando_do_teste SUITE TEST
  case "$1" in
    native) echo ctest --test-dir "$BUILD" -R "^e2e\.$2\$" -V ;;
    wine) echo bash "$(pasta_da_suite wine)/$2.sh" "$SAIDA/zip/ritmuro/ritmuro.exe" "$SAIDA/zip/ritmuro" ;;
  esac
}

# One run of one test script: its output in RUN/SUITE/TEST.log, its exit
# code and seconds in RUN/SUITE/TEST.rc ("CODE SECONDS").
rodar_teste() {  # rodar_teste RUN SUITE TEST
  local pasta="$SAIDA/run$1/$2" inicio=$SECONDS rc
  mkdir -p "$pasta"
  # shellcheck disable=SC2046  # the paths have no spaces
  timeout -k 10 "$LIMITE_SCRIPT_S" $(comando_do_teste "$2" "$3") > "$pasta/$3.log" 2>&1 < /dev/null
  rc=$?
  echo "$rc $((SECONDS - inicio))" > "$pasta/$3.rc"
  aviso "run $1, $2 $3: exit code $rc, $((SECONDS - inicio)) s"
}

rodar_tudo() {
  local vez suite teste inicio
  for vez in $(seq "$VEZES"); do
    for suite in "${SUITES[@]}"; do
      inicio=$SECONDS
      for teste in $(testes_da_suite "$suite"); do
        rodar_teste "$vez" "$suite" "$teste"
      done
      echo "$((SECONDS - inicio))" > "$SAIDA/run$vez/$suite.segundos"
    done
    FEITAS=$vez
  done
}

interrompido() {
  parar_carga
  aviso "stopped after $FEITAS finished run(s)"
  if [ "$FEITAS" -gt 0 ]; then
    VEZES=$FEITAS
    relatorio
  fi
  exit 130
}

# --- the table ---------------------------------------------------------------

# Every result of every run, one per line: RUN<TAB>SUITE/TEST<TAB>ok|FAIL<TAB>
# normalised description<TAB>description as printed. A script's exit code is a
# check of its own ("exit code 0"), and so is a missing closing line.
resultados() {
  local vez suite teste log rc
  for vez in $(seq "$VEZES"); do
    for suite in "${SUITES[@]}"; do
      for teste in $(testes_da_suite "$suite"); do
        log="$SAIDA/run$vez/$suite/$teste.log"
        read -r rc _ < "$SAIDA/run$vez/$suite/$teste.rc"
        sed -nE 's/^([0-9]+: )?(\[[0-9:.]+\] )?(ok|FAIL): (.*)$/\3\t\4/p' "$log" |
          awk -F'\t' -v vez="$vez" -v t="$suite/$teste" '{
            d = $2; gsub(/[0-9]+([.,][0-9]+)?/, "#", d)
            printf "%s\t%s\t%s\t%s\t%s\n", vez, t, $1, d, $2 }'
        if [ "$rc" = 0 ]; then
          printf '%s\t%s\tok\t(exit code 0)\t\n' "$vez" "$suite/$teste"
        else
          printf '%s\t%s\tFAIL\t(exit code 0)\texit code %s%s\n' "$vez" "$suite/$teste" "$rc" \
            "$([ "$rc" = 124 ] && echo ", stopped after $LIMITE_SCRIPT_S s")"
        fi
        grep -qE '^([0-9]+: )?[0-9]+ passed, [0-9]+ failed$' "$log" ||
          printf '%s\t%s\tFAIL\t(closing line N passed, M failed)\tmissing\n' "$vez" "$suite/$teste"
      done
    done
  done
}

# Checks × runs: a check is FAIL in a run when any of its lines failed there.
tabela() {
  awk -F'\t' -v vezes="$VEZES" '
    { chave = $2 "\t" $4
      if (!(chave in visto)) { visto[chave] = 1; ordem[++n] = chave }
      if ($3 == "FAIL") { estado[chave, $1] = "FAIL"; falhas[chave]++ }
      else if (estado[chave, $1] != "FAIL") estado[chave, $1] = "ok" }
    END {
      printf "%-30s %-70s", "test", "check"
      for (v = 1; v <= vezes; v++) printf " %5s", "run" v
      printf "\n"
      for (i = 1; i <= n; i++) {
        split(ordem[i], p, "\t")
        printf "%-30s %-70s", p[1], substr(p[2], 1, 70)
        for (v = 1; v <= vezes; v++) {
          c = estado[ordem[i], v]; printf " %5s", (c == "" ? "-" : c)
        }
        printf "\n"
      }
    }'
}

# Each failure as the check printed it, with its run.
falhas_nomeadas() {
  awk -F'\t' '$3 == "FAIL" { printf "  run %s  %-30s %s\n", $1, $2, $5 }'
}

# Per run: checks passed and failed, hung wine runs retried, seconds per suite.
totais() {
  local vez suite passaram falharam travadas
  printf '%-6s %-8s %8s %8s %13s %9s\n' run suite passed failed "wine hung" seconds
  for vez in $(seq "$VEZES"); do
    for suite in "${SUITES[@]}"; do
      passaram=$(awk -F'\t' -v v="$vez" -v s="$suite/" '$1 == v && index($2, s) == 1 && $3 == "ok"' "$SAIDA/resultados.tsv" | wc -l)
      falharam=$(awk -F'\t' -v v="$vez" -v s="$suite/" '$1 == v && index($2, s) == 1 && $3 == "FAIL"' "$SAIDA/resultados.tsv" | wc -l)
      travadas="-"
      if [ "$suite" = wine ]; then
        travadas=$(cat "$SAIDA/run$vez/wine/"*.log 2> /dev/null |
          sed -nE 's/.* wine run\(s\) of .*, ([0-9]+) hung and retried$/\1/p' | awk '{ n += $1 } END { print n + 0 }')
      fi
      printf '%-6s %-8s %8s %8s %13s %9s\n' "$vez" "$suite" "$passaram" "$falharam" "$travadas" \
        "$(cat "$SAIDA/run$vez/$suite.segundos")"
    done
  done
}

relatorio() {
  resultados > "$SAIDA/resultados.tsv"
  {
    echo
    echo "== $(basename "$0"): $VEZES run(s) of ${SUITES[*]}$([ "$CARGA" = 1 ] && echo ", under stress-ng --cpu 2")"
    echo "   (checks counted with their own lines; a script's exit code and closing line are checks too;"
    echo "    the checks of a wine run that hung count as well, though its test retries it and drops them)"
    tabela < "$SAIDA/resultados.tsv"
    echo
    if grep -q $'\tFAIL\t' "$SAIDA/resultados.tsv"; then
      echo "failures:"
      falhas_nomeadas < "$SAIDA/resultados.tsv"
    else
      echo "failures: none"
    fi
    echo
    totais
    echo
    echo "logs: $SAIDA"
  } | tee "$SAIDA/tabela.txt"
  ! grep -q $'\tFAIL\t' "$SAIDA/resultados.tsv"
}

main() {
  ler_opcoes "$@"
  conferir_testes
  [ "$(id -u)" = 0 ] || abortar "run as root (the wine prefix and the packages need it)"
  SAIDA="$(mktemp -d /tmp/ritmuro-cacar-falhas.XXXXXX)"
  trap parar_carga EXIT
  trap interrompido INT TERM HUP
  local suite
  for suite in "${SUITES[@]}"; do
    [ -n "$(testes_da_suite "$suite")" ] || continue
    "preparar_$suite"
  done
  [ "$CARGA" = 1 ] && iniciar_carga
  rodar_tudo
  parar_carga
  relatorio
}

main "$@"
