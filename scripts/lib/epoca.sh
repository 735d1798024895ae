# shellcheck shell=bash
# The time stamp every release artefact carries (SOURCE_DATE_EPOCH, the
# reproducible-builds convention): files in the zip and in the .debs get it,
# so the same source gives the same bytes whenever and wherever it is built.
#   source scripts/lib/epoca.sh; definir_epoca
# A SOURCE_DATE_EPOCH already in the environment is kept. Otherwise it is the
# time of the last commit when the tree is exactly that commit; a tree with
# uncommitted changes (or no git history at all) is not any commit, so it gets
# the date of the latest entry of the Debian changelog instead - fixed for a
# version - and the build says so on stderr.

RITMURO_CHANGELOG="${RITMURO_CHANGELOG:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/debian/changelog}"

# The latest changelog entry's date, in seconds since 1970.
epoca_do_changelog() {
  local linha
  linha="$(grep -m1 '^ -- ' "$RITMURO_CHANGELOG")" || return 1
  date -u -d "${linha##*>  }" +%s
}

definir_epoca() {
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    export SOURCE_DATE_EPOCH
    return 0
  fi
  local raiz
  raiz="$(dirname "$(dirname "$RITMURO_CHANGELOG")")"
  # A copy with no .git of its own inside another checkout is not that checkout's commit.
  if [ "$(git -C "$raiz" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$raiz" && pwd -P)" ] &&
     git -C "$raiz" rev-parse --verify -q HEAD > /dev/null 2>&1 &&
     [ -z "$(git -C "$raiz" status --porcelain 2>/dev/null)" ]; then
    SOURCE_DATE_EPOCH="$(git -C "$raiz" log -1 --format=%ct)"
  else
    SOURCE_DATE_EPOCH="$(epoca_do_changelog)" || {
      echo "$(basename "$0"): no commit and no date in $RITMURO_CHANGELOG for SOURCE_DATE_EPOCH" >&2
      return 1
    }
    echo "$(basename "$0"): the tree has uncommitted changes (or no git history): time stamps are the" \
         "latest changelog entry's, $(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T UTC')" >&2
  fi
  export SOURCE_DATE_EPOCH
}
