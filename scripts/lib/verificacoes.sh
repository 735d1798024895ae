# shellcheck shell=bash
# Checks and their count, for every test script (sourced):
#   verificar "description" command...   runs the command: ok or FAIL
#   ok "description" / falha "description"
#   terminar                             "N passed, M failed"; exit 0 only when none
#                                        failed (and something was checked)
# falha records a failed check and the script goes on; a script that cannot
# go on at all ends with abortar (comum.sh). Each result is one line of
# VERIFICACOES_ARQUIVO, so checks made in subshells count too; a caller may
# point it at a file of its own before it checks anything.

VERIFICACOES_ARQUIVO="${VERIFICACOES_ARQUIVO:-}"

log() { echo "[$(date +%T.%3N)] $*"; }

_registrar() {
  [ -n "$VERIFICACOES_ARQUIVO" ] || VERIFICACOES_ARQUIVO="$(mktemp /tmp/ritmuro-verificacoes.XXXXXX)"
  echo "$1" >> "$VERIFICACOES_ARQUIVO"
  log "$1"
}
ok() { _registrar "ok: $1"; }
falha() { _registrar "FAIL: $1"; }
verificar() {  # verificar "description" command...
  local descricao="$1"
  shift
  if "$@"; then ok "$descricao"; else falha "$descricao"; fi
}

# The counts so far: "PASSED FAILED".
contar_verificacoes() {
  local arquivo="$VERIFICACOES_ARQUIVO" passaram=0 falharam=0
  if [ -n "$arquivo" ] && [ -f "$arquivo" ]; then
    passaram=$(grep -c '^ok: ' "$arquivo")
    falharam=$(grep -c '^FAIL: ' "$arquivo")
  fi
  echo "$passaram $falharam"
}
houve_falha() { [ "$(contar_verificacoes | cut -d' ' -f2)" != 0 ]; }

terminar() {
  local passaram falharam
  read -r passaram falharam < <(contar_verificacoes)
  if [ "$((passaram + falharam))" = 0 ]; then
    log "FAIL: nothing was checked"
    falharam=1
  fi
  echo "$passaram passed, $falharam failed"
  [ "$falharam" = 0 ]
  exit $?
}
