# shellcheck shell=bash
# Shared by the scripts that build the release and the tests that check it.
#   source scripts/lib/ferramentas.sh

# A tool a script needs: there already, installed from Debian's archive when
# the script runs as root, or else a message naming the package.
#   garantir_comando COMMAND PACKAGE || exit 1

garantir_comando() {
  command -v "$1" > /dev/null && return 0
  local registro
  if [ "$(id -u)" = 0 ]; then
    echo "$(basename "$0"): $1 is missing: installing the Debian package $2" >&2
    registro="$(mktemp /tmp/ritmuro-apt.XXXXXX)"
    # Other runs may hold the package lock: wait for it.
    if { apt-get update -qq -o DPkg::Lock::Timeout=600 &&
         DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
           -o DPkg::Lock::Timeout=600 "$2"; } > "$registro" 2>&1 && command -v "$1" > /dev/null; then
      rm -f "$registro"
      return 0
    fi
    tail -20 "$registro" >&2
  fi
  echo "$(basename "$0"): $1 is missing: install the Debian package $2 (as root: apt-get install $2)" >&2
  return 1
}

# The files of tree SOURCE as they are now, committed or not, copied into
# DESTINATION: without git, the build folders and dist/ (with git: what
# .gitignore leaves out).
copiar_fontes() {  # copiar_fontes SOURCE DESTINATION
  mkdir -p "$2"
  # (a tree with no git of its own may sit inside another's checkout)
  if command -v git > /dev/null &&
     [ "$(git -C "$1" rev-parse --show-toplevel 2> /dev/null)" = "$(cd "$1" && pwd -P)" ]; then
    (cd "$1" && git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] || [ -L "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -cf -) | tar -xf - -C "$2"
  else
    tar -C "$1" --exclude=./.git --exclude='./build*' --exclude=./dist --exclude='./obj-*' \
      -cf - . | tar -xf - -C "$2"
  fi
}
