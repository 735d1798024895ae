#!/usr/bin/env bash
# Builds and tests the Windows game, from a bare Debian 12 machine or from a
# warm one (everything already there is reused):
#   1. installs what is missing (mingw-w64, 32-bit wine, zip, ImageMagick,
#      Xvfb, xdotool, the native compiler and Allegro);
#   2. cross-builds Allegro and the released 32-bit game, build-win32/ritmuro.exe,
#      and checks that it is a 32-bit console program that needs only
#      Windows' own DLLs, and that it carries the generator's icon, the
#      version details and the manifest, and no time of its build;
#   3. packs dist/ritmuro-win32.zip and checks that it holds the exe and every
#      picture, in byte order, with the release's time stamp and fixed modes;
#   4. runs the end-to-end tests of tests/e2e_wine on ritmuro/ritmuro.exe
#      unpacked from that zip, the very file players get, on 32-bit wine, with
#      real key events and screenshots in Xvfb: natively where the machine
#      executes 32-bit code, else under qemu-i386 user-mode emulation inside a
#      private namespace (scripts/windows/ambiente-wine.sh).
# Prints the time of each phase and closes with "N passed, M failed"; exits
# non-zero when anything failed. Run as root.
#
# Settings from the environment: RITMURO_CACHE (default /var/cache/ritmuro:
# the built Allegro, Allegro's source, qemu-i386, the wine prefix),
# RITMURO_WINE_MODO (nativo or qemu, else chosen by whether this machine runs
# 32-bit code), RITMURO_WINE_TENTATIVAS (runs allowed per test when runs hang;
# 1 = no retry).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
source "$RITMURO_RAIZ/scripts/lib/verificacoes.sh"
source "$RITMURO_RAIZ/scripts/windows/alvo.sh"
source "$(dirname "${BASH_SOURCE[0]}")/ambiente-wine.sh"
source "$RITMURO_RAIZ/scripts/lib/epoca.sh"

EXE32="$RITMURO_RAIZ/build-win32/ritmuro.exe"
ZIP="$RITMURO_RAIZ/dist/ritmuro-win32.zip"
mapfile -t PASTAS_DE_IMAGENS < <(pastas_de_imagens)
# The screen reader the wine tests look at the game with (native, built
# here on its own).
OLHO_DIR="$RITMURO_RAIZ/build-testes-wine"
OLHO="$OLHO_DIR/olho_tela"

TMP_TESTAR="$(mktemp -d /tmp/ritmuro-testar-windows.XXXXXX)"
VERIFICACOES_ARQUIVO="$TMP_TESTAR/verificacoes.txt"
# The wine test scripts' totals, read from their closing lines.
PASSARAM=0
FALHARAM=0
EXECUCOES_WINE=0
TRAVADAS_WINE=0
FASES=()
INICIO_TOTAL=$SECONDS
INICIO_FASE=$SECONDS
FASE_ATUAL=""

fase() {
  fim_fase
  FASE_ATUAL="$1"
  INICIO_FASE=$SECONDS
  echo
  echo "== $FASE_ATUAL"
}
fim_fase() {
  [ -n "$FASE_ATUAL" ] || return 0
  local t=$((SECONDS - INICIO_FASE))
  FASES+=("$(printf '%5ss  %s' "$t" "$FASE_ATUAL")")
  aviso "phase '$FASE_ATUAL': ${t}s"
  FASE_ATUAL=""
}

# A phase that cannot go on ends the script with abortar (the error says
# why): the summary counts that as a failure.
resumo() {
  local rc=$1 passaram falharam
  fim_fase
  [ "$rc" = 0 ] || falha "stopped with exit code $rc (see the error above)"
  read -r passaram falharam < <(contar_verificacoes)
  PASSARAM=$((PASSARAM + passaram))
  FALHARAM=$((FALHARAM + falharam))
  echo
  echo "== summary"
  printf '%s\n' "${FASES[@]}"
  printf '%5ss  total\n' "$((SECONDS - INICIO_TOTAL))"
  echo "$EXPLICACAO_EXE"
  echo "wine: $EXECUCOES_WINE run(s) of the game, $TRAVADAS_WINE hung and retried"
  [ "$TRAVADAS_WINE" = 0 ] || echo "WARNING: some runs hung and were retried; see above (WARNING ... HUNG)"
  rm -rf "$TMP_TESTAR"
  echo "$PASSARAM passed, $FALHARAM failed"
}
trap 'resumo $?; [ "$FALHARAM" = 0 ] || exit 1' EXIT

# ------------------------------------------------------------- which exe

# Which exe the wine tests run and how: said before they start and again in
# the summary.
EXPLICACAO_EXE="exe run on wine: ritmuro/ritmuro.exe of the zip (not tested yet)"
explicar_exe() {
  EXPLICACAO_EXE="exe run on wine: ritmuro/ritmuro.exe of dist/ritmuro-win32.zip, the file \
players get (PE header: $(cabecalho_pe "$EXE_WINE")), on $(como_o_wine_roda); prefix $WINEPREFIX"
}

# ------------------------------------------------------------- phases

instalar_pacotes() {
  fase "packages"
  # libx11-dev and libxtst-dev: the screen reader, which also answers the
  # arrows in the two-player test.
  local pacotes=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
                 cmake make patch dpkg-dev file zip unzip imagemagick xvfb xdotool x11-utils
                 g++ gcc pkg-config liballegro4-dev libx11-dev libxtst-dev wine wine32:i386 wine64
                 icoutils libxml2-utils)
  garantir_arquitetura_i386
  garantir_pacotes "${pacotes[@]}"
}

allegro() {
  fase "Allegro for Windows $1"
  bash "$RITMURO_RAIZ/scripts/windows/allegro.sh" "$1" || abortar "Allegro for Windows $1 did not build"
}

formato_32_bits() {
  echo "  PE header (signature, magic, machine, subsystem): $(cabecalho_pe "$EXE32")"
  exe_do_alvo "$EXE32"
}

so_dlls_do_sistema() {
  local dlls dll estranhas=""
  dlls="$(i686-w64-mingw32-objdump -p "$EXE32" | awk '/DLL Name:/ {print $3}')"
  echo "  imported DLLs: $(tr '\n' ' ' <<< "$dlls")"
  [ -n "$dlls" ] || return 1
  for dll in $dlls; do
    grep -qiwF "$dll" <<< "$DLLS_DO_SISTEMA" || estranhas+=" $dll"
  done
  [ -z "$estranhas" ] || { echo "  not Windows' own:$estranhas"; return 1; }
}

# Explorer's icon: one icon group of exactly the generator's five icons,
# pixel for pixel.
icone_do_gerador() {
  local pasta="$TMP_TESTAR/icones" lado png diferentes
  wrestool -l "$EXE32" | sed 's/^/  /'
  [ "$(wrestool -l --type=14 "$EXE32" | wc -l)" = 1 ] || { echo "  not one icon group"; return 1; }
  mkdir -p "$pasta"
  wrestool -x --type=14 "$EXE32" > "$TMP_TESTAR/exe.ico" && icotool -x -o "$pasta" "$TMP_TESTAR/exe.ico" || return 1
  [ "$(find "$pasta" -name '*.png' | wc -l)" = 5 ] || { echo "  not 5 pictures:" "$pasta"/*; return 1; }
  for lado in 16 24 32 48 256; do
    png="$(compgen -G "$pasta/*_${lado}x${lado}x*.png")" || { echo "  no $lado px picture"; return 1; }
    diferentes="$(compare -metric AE "$RITMURO_RAIZ/data/icones/ritmuro-$lado.png" "$png" null: 2>&1)"
    [ "$diferentes" = 0 ] || { echo "  $lado px: '$diferentes' pixels differ from data/icones"; return 1; }
  done
}

# Properties -> Details: the version of the changelog (read by dpkg) in the
# strings and in the numbers, and the copyright file's holders and licence.
versao_no_exe() {
  local recurso="$TMP_TESTAR/versao.res" changelog copyright versao textos chave numeros
  changelog="$RITMURO_RAIZ/debian/changelog"
  copyright="$RITMURO_RAIZ/debian/copyright"
  versao="$(dpkg-parsechangelog -l "$changelog" -S Version)"
  versao="${versao#*:}"
  versao="${versao%%-*}"
  wrestool -x --raw --type=16 "$EXE32" > "$recurso" || return 1
  textos="$(strings -el "$recurso")"
  valor() { awk -v chave="$1" 'anterior == chave {print; exit} {anterior = $0}' <<< "$textos"; }
  for chave in ProductName FileDescription FileVersion ProductVersion LegalCopyright OriginalFilename; do
    echo "  $chave: $(valor "$chave")"
  done
  if [ "$(valor FileVersion)" != "$versao" ] || [ "$(valor ProductVersion)" != "$versao" ] ||
     [ "$(valor OriginalFilename)" != ritmuro.exe ] || [ -z "$(valor ProductName)" ] ||
     [ -z "$(valor FileDescription)" ]; then
    echo "  expected version $versao ($changelog), ritmuro.exe and a name and description"
    return 1
  fi
  [ "$(valor LegalCopyright)" = "Copyright $(sed -n 's/^Copyright: *//p' "$copyright" | head -1), $(sed -n 's/^License: *//p' "$copyright" | head -1) licence" ] ||
    { echo "  LegalCopyright is not what $copyright says"; return 1; }
  # The numbers (what Explorer shows as the file version): the two words
  # after the fixed part's signature, feef04bd, and its structure version.
  local alto baixo a b c d
  read -r alto baixo < <(od -An -v -tx4 "$recurso" | tr -s ' \n' ' ' |
    sed -n 's/.* feef04bd [0-9a-f]* \([0-9a-f]*\) \([0-9a-f]*\) .*/\1 \2/p')
  [ -n "$baixo" ] || { echo "  no fixed version"; return 1; }
  numeros="$((16#${alto:0:4})).$((16#${alto:4:4})).$((16#${baixo:0:4})).$((16#${baixo:4:4}))"
  echo "  fixed file version: $numeros"
  IFS=. read -r a b c d _ <<< "$versao.0.0.0.0"
  [ "$numeros" = "$a.$b.$c.$d" ]
}

# The manifest is well-formed XML (Windows refuses to start an exe whose
# manifest is not), runs as the invoker and names Windows 7, 8, 8.1 and 10/11.
manifesto_no_exe() {
  local manifesto="$TMP_TESTAR/manifesto.xml" id
  wrestool -x --raw --type=24 --name=1 "$EXE32" > "$manifesto" && xmllint --noout "$manifesto" || return 1
  grep -q 'requestedExecutionLevel level="asInvoker"' "$manifesto" || { echo "  not asInvoker"; return 1; }
  for id in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
            1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    grep -q "<supportedOS Id=\"{$id}\"/>" "$manifesto" || { echo "  no supportedOS $id"; return 1; }
  done
}

exe_32_bits() {
  fase "32-bit exe (build-win32)"
  bash "$RITMURO_RAIZ/scripts/windows/build.sh" i686 || abortar "build-win32/ritmuro.exe did not build"
  verificar "build-win32/ritmuro.exe is '$FORMATO_EXE'" formato_32_bits
  verificar "build-win32/ritmuro.exe imports only Windows' own DLLs" so_dlls_do_sistema
  verificar "the exe's icon group holds the generator's 16, 24, 32, 48 and 256 px icons" icone_do_gerador
  verificar "the exe's version details carry the changelog's version and the copyright" versao_no_exe
  verificar "the exe's manifest: asInvoker, Windows 7 to 11" manifesto_no_exe
  aviso "build-win32/ritmuro.exe: $(stat -c %s "$EXE32") bytes"
}

# Files the zip must hold, one per line, sorted: the exe and every picture.
conteudo_esperado() {
  local pasta arquivo
  {
    echo "ritmuro/ritmuro.exe"
    for pasta in "${PASTAS_DE_IMAGENS[@]}"; do
      for arquivo in "$RITMURO_RAIZ/data/$pasta"/*; do
        echo "ritmuro/$pasta/$(basename "$arquivo")"
      done
    done
  } | LC_ALL=C sort
}

zip_com_tudo() {
  local esperado="$TMP_TESTAR/esperado.txt" obtido="$TMP_TESTAR/obtido.txt"
  conteudo_esperado > "$esperado"
  unzip -Z1 "$ZIP" | grep -v '/$' | LC_ALL=C sort > "$obtido"
  echo "  $(wc -l < "$obtido") files in the zip, $(wc -l < "$esperado") expected ($(grep -c '\.bmp$' "$esperado") pictures)"
  diff "$esperado" "$obtido" > "$TMP_TESTAR/zip.diff" && return 0
  sed -n 's/^< /  missing from the zip: /p; s/^> /  extra in the zip: /p' "$TMP_TESTAR/zip.diff" | head -20
  return 1
}

pastas_no_zip() {
  local pasta faltam="" lista
  lista="$(unzip -Z1 "$ZIP")"
  for pasta in "${PASTAS_DE_IMAGENS[@]}"; do
    grep -qx "ritmuro/$pasta/" <<< "$lista" || faltam+=" $pasta"
  done
  [ -z "$faltam" ] || { echo "  folders missing:$faltam"; return 1; }
}

zip_igual_aos_originais() {
  local pasta
  cmp "$ZIP_DIR/ritmuro/ritmuro.exe" "$EXE32" || return 1
  for pasta in "${PASTAS_DE_IMAGENS[@]}"; do
    diff -r "$RITMURO_RAIZ/data/$pasta" "$ZIP_DIR/ritmuro/$pasta" || return 1
  done
}

# Nothing of the build's moment or machine in what players get: no link time
# in the exe; in the zip, entries in byte order, each with the release's time
# stamp (zip keeps even seconds, and takes an odd one up to the next) and a
# fixed mode, whatever the umask.
sem_marcas_da_compilacao() {
  local hora esperada estranhas
  hora="$(TZ=UTC i686-w64-mingw32-objdump -p "$EXE32" | sed -n 's/^Time\/Date[[:space:]]*//p')"
  [ "$hora" = "Thu Jan  1 00:00:00 1970" ] || { echo "  link time in the exe: $hora"; return 1; }
  unzip -Z1 "$ZIP" | LC_ALL=C sort -c || return 1
  esperada="$(TZ=UTC date -d "@$((SOURCE_DATE_EPOCH + SOURCE_DATE_EPOCH % 2))" +%Y%m%d.%H%M%S)"
  estranhas="$(TZ=UTC zipinfo -T "$ZIP" | awk -v hora="$esperada" '$7 ~ /^[0-9]+\.[0-9]+$/ &&
    ($7 != hora || $1 !~ /^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x)$/)')"
  [ -z "$estranhas" ] || { echo "  entries not at $esperada or with other modes:"; head -5 <<< "$estranhas"; return 1; }
}

empacotar_zip() {
  fase "zip (dist/ritmuro-win32.zip)"
  definir_epoca || abortar "no SOURCE_DATE_EPOCH for the zip"
  bash "$RITMURO_RAIZ/scripts/windows/zip.sh" || abortar "dist/ritmuro-win32.zip was not made"
  verificar "the zip has the folder ritmuro/ with the ${#PASTAS_DE_IMAGENS[@]} picture folders" pastas_no_zip
  verificar "the zip holds exactly ritmuro/ritmuro.exe and every picture of data/" zip_com_tudo
  verificar "no link time in the exe; zip entries sorted, at SOURCE_DATE_EPOCH, fixed modes" sem_marcas_da_compilacao
  ZIP_DIR="$TMP_TESTAR/zip"
  mkdir -p "$ZIP_DIR"
  unzip -q "$ZIP" -d "$ZIP_DIR" || abortar "the zip does not unpack"
  verificar "the zip's exe and pictures are those of build-win32 and data/" zip_igual_aos_originais
}

leitor_de_tela() {
  fase "screen reader (native)"
  source "$RITMURO_RAIZ/scripts/lib/jogo.sh"
  if [ -x "$OLHO" ] && [ -z "$(find "$RITMURO_RAIZ/src" "$RITMURO_RAIZ/tests/apoio" -newer "$OLHO" | head -1)" ]; then
    aviso "$OLHO is ready"
    return 0
  fi
  mkdir -p "$OLHO_DIR"
  olho_compilar "$OLHO" > /dev/null || abortar "olho_tela did not build"
}

# One lock per wine prefix for the whole wine part, shared with the test
# scripts, so that two runs of the tests never end each other's wine.
travar_prefixo() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec {TRAVA}> "$WINEPREFIX.lock"
  if ! flock -n "$TRAVA"; then
    aviso "another run uses $WINEPREFIX; waiting (up to 15 min)"
    flock -w 900 "$TRAVA" || abortar "the wine prefix stayed locked"
  fi
  export RITMURO_WINE_TRAVA_TOMADA="$WINEPREFIX"
}

prefixo_wine() {
  fase "wine and the prefix $(basename "$WINEPREFIX")"
  travar_prefixo
  bash "$RITMURO_RAIZ/scripts/windows/wine-setup.sh" {TRAVA}>&- || abortar "the wine prefix is not ready"
}

# Adds a test script's closing lines to the totals.
contar_teste() {
  local log=$1 rc=$2 nome=$3 linha execucoes
  linha="$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -1)"
  execucoes="$(grep -E ' wine run\(s\) of .*, [0-9]+ hung and retried$' "$log" | tail -1)"
  if [ -z "$linha" ]; then
    falha "$nome ended (exit code $rc) without its closing line 'N passed, M failed'"
    return
  fi
  PASSARAM=$((PASSARAM + $(cut -d' ' -f1 <<< "$linha")))
  FALHARAM=$((FALHARAM + $(cut -d' ' -f3 <<< "$linha")))
  if [ -n "$execucoes" ]; then
    EXECUCOES_WINE=$((EXECUCOES_WINE + $(sed -E 's/.*: ([0-9]+) wine run.*/\1/' <<< "$execucoes")))
    TRAVADAS_WINE=$((TRAVADAS_WINE + $(sed -E 's/.*, ([0-9]+) hung and retried$/\1/' <<< "$execucoes")))
  fi
  if [ "$rc" != 0 ] && [ "$(cut -d' ' -f3 <<< "$linha")" = 0 ]; then
    falha "$nome ended with exit code $rc"
  fi
}

testes_wine() {
  local teste log rc
  explicar_exe
  echo
  echo "$EXPLICACAO_EXE"
  for teste in "$RITMURO_RAIZ"/tests/e2e_wine/test_*.sh; do
    fase "wine: $(basename "$teste")"
    log="$TMP_TESTAR/$(basename "$teste").log"
    bash "$teste" "$EXE_WINE" "$ZIP_DIR/ritmuro" "$OLHO" {TRAVA}>&- 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    contar_teste "$log" "$rc" "$(basename "$teste")"
  done
}

main() {
  instalar_pacotes
  allegro i686
  exe_32_bits
  empacotar_zip
  EXE_WINE="$ZIP_DIR/ritmuro/ritmuro.exe"
  leitor_de_tela
  prefixo_wine
  testes_wine
}

main "$@"
