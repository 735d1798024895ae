#!/usr/bin/env bash
# The release is reproducible: the last commit, built twice by
# scripts/lancamento.sh in two fresh clones, one after the other, in folders
# of different names and depths, under different umasks, locales and time
# zones, from files dated after the commit and before it, gives the same
# bytes in dist/: both .debs, the Windows zip and SHA256SUMS. Where a file
# differs, diffoscope shows how, and the check fails. Uncommitted changes are
# not built (the check says so). The first build runs the packages' unit
# tests (dh_auto_test), the second is a nocheck one: the same bytes show that
# the tests change nothing the packages hold.
#   tests/lancamento/reprodutivel.sh [FOLDER]   (default build-reprodutivel)
set -uo pipefail
RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
PASTA="$(readlink -m "${1:-$RAIZ/build-reprodutivel}")"
source "$RAIZ/scripts/lib/comum.sh"
source "$RAIZ/scripts/lib/pacotes.sh"
source "$RAIZ/scripts/lib/verificacoes.sh"
for ferramenta in "git git" "diffoscope diffoscope-minimal" "locale-gen locales"; do
  garantir_comando $ferramenta || exit 1
done

COMMIT="$(git -C "$RAIZ" rev-parse HEAD)" || exit 1
[ -z "$(git -C "$RAIZ" status --porcelain)" ] ||
  log "the tree has uncommitted changes: they are not part of this check, which builds $COMMIT"
rm -rf "$PASTA"
mkdir -p "$PASTA/locales"
# A locale of the second build's own, so that nothing of the machine's changes.
localedef -i pt_BR -f UTF-8 "$PASTA/locales/pt_BR.UTF-8" || exit 1

# construir FOLDER UMASK FILE_TIMES VARIABLE=VALUE...: a clone of the commit
# made and built under that umask and environment; its output in FOLDER.log.
# FILE_TIMES "checkout" leaves the files as git writes them, newer than the
# commit; a date makes them older, like those of a checkout made long ago.
construir() {
  local pasta="$1" mascara="$2" datas="$3" inicio=$SECONDS
  shift 3
  log "building in $pasta: umask $mascara, files dated at $datas, $*"
  ( umask "$mascara"
    git clone -q --no-checkout "$RAIZ" "$pasta" && git -C "$pasta" checkout -q "$COMMIT" &&
      { [ "$datas" = checkout ] ||
        find "$pasta" -path "$pasta/.git" -prune -o -exec touch -h -d "$datas" {} +; } &&
      env -u SOURCE_DATE_EPOCH "$@" bash "$pasta/scripts/lancamento.sh" ) > "$pasta.log" 2>&1 ||
    { tail -30 "$pasta.log"; falha "the release build in $pasta (log: $pasta.log)"; terminar; }
  log "built in $((SECONDS - inicio)) s"
}

A="$PASTA/a"
B="$PASTA/segunda-construcao/com-um-caminho-mais-longo"
mkdir -p "$(dirname "$B")"
construir "$A" 0022 checkout TZ=UTC LC_ALL=C.UTF-8
construir "$B" 0077 "2001-01-01 00:00 UTC" TZ=XYZ-14 LOCPATH="$PASTA/locales" LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8 \
  DEB_BUILD_OPTIONS=nocheck

# What the release lists in SHA256SUMS, then the list itself.
artefatos="$(awk '{print $2}' "$A/dist/SHA256SUMS") SHA256SUMS"
if [ "$(cd "$A/dist" && ls)" != "$(cd "$B/dist" && ls)" ]; then
  falha "the builds made different files: $(cd "$A/dist" && echo *) | $(cd "$B/dist" && echo *)"
fi
for artefato in $artefatos; do
  log "$artefato: $(sha256sum < "$A/dist/$artefato" | cut -d' ' -f1) (first build)"
  log "$(printf '%*s' ${#artefato} '') $(sha256sum < "$B/dist/$artefato" 2>/dev/null | cut -d' ' -f1) (second build)"
  if cmp -s "$A/dist/$artefato" "$B/dist/$artefato"; then
    ok "$artefato is the same, byte for byte"
  else
    relatorio="$PASTA/$artefato.diffoscope.txt"
    falha "$artefato differs between the two builds; diffoscope says (whole in $relatorio):"
    # diffoscope exits with 1 when it finds differences, 2 when it fails.
    diffoscope --no-progress --text "$relatorio" "$A/dist/$artefato" "$B/dist/$artefato" \
      > "$relatorio.err" 2>&1
    [ $? -le 1 ] || { cat "$relatorio.err"; log "diffoscope itself failed"; }
    head -60 "$relatorio" 2> /dev/null
  fi
done
log "reproducibility: ${SECONDS} s"
terminar
