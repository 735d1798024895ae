# shellcheck shell=bash
# Shared by the end-to-end tests: the real game in its own Xvfb, real key
# events from xdotool, the screen read by the screen reader, exit codes
# checked. A test script sources this file with the game binary, the data
# folder and the screen reader (tests/apoio/olho_tela; built here when not
# given) as $1, $2, $3. A binary given by bare name (the installed game,
# "ritmuro") is looked up on PATH when started; the data folder need not
# exist yet (a package may put it there). The driver of the game is
# scripts/lib/jogo.sh; the scenes shared with the wine tests, telas.sh.

set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/verificacoes.sh"
source "$RITMURO_RAIZ/scripts/lib/xvfb.sh"
source "$RITMURO_RAIZ/scripts/lib/jogo.sh"
jogo_preparar "$1" "$2" "${3:-}"
VERIFICACOES_ARQUIVO="$TMP_E2E/verificacoes.txt"

source "$(dirname "${BASH_SOURCE[0]}")/telas.sh"
