#!/usr/bin/env bash
# The Debian package end to end: builds it with CPack in the build folder $1,
# passes it through Debian's own checkers, installs it on this machine with
# apt-get, starts `ritmuro` the way the menu entry does from a folder with no
# pictures, sees the title drawn from the installed pictures, leaves with Esc,
# then purges the package and checks that nothing of it is left.
# Needs root; not run by ctest, since it installs on the machine (scripts/testar.sh runs it).
PASTA_BUILD="$(readlink -f "${1:?uso: $0 PASTA_DE_BUILD}")"
source "$(dirname "$0")/lib.sh" ritmuro /usr/share/games/ritmuro
DADOS_FONTE="$(readlink -f "$(dirname "$0")/../../data")"
inicio=$(date +%s)

APT=(apt-get -y -q -o DPkg::Lock::Timeout=600)
INSTALADO=0
remover_pacote() {
  [ "$INSTALADO" = 1 ] || return 0
  DEBIAN_FRONTEND=noninteractive "${APT[@]}" purge ritmuro > "$TMP_E2E/purge.log" 2>&1
}
trap 'remover_pacote; encerrar' EXIT

pacote_instalado() { dpkg-query -W -f='${db:Status-Status}' ritmuro 2>/dev/null | grep -qx installed; }
if [ "$(id -u)" != 0 ]; then echo "pacote_instalado: needs root (it installs the package)" >&2; exit 1; fi
if pacote_instalado; then
  echo "pacote_instalado: ritmuro is already installed here; this test would remove it: apt-get purge ritmuro first" >&2
  exit 1
fi

# ---- the package and the checkers
(cd "$PASTA_BUILD" && cpack -G DEB) > "$TMP_E2E/cpack.log" 2>&1 || { cat "$TMP_E2E/cpack.log"; falha "cpack builds the .deb"; terminar; }
DEB="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$TMP_E2E/cpack.log")"
ok "cpack built $(basename "$DEB")"
log "Depends: $(dpkg-deb -f "$DEB" Depends)"
verificar "Depends, from dpkg-shlibdeps, names the Allegro library the game links" \
  grep -q '^liballegro4\.4 ' <(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | sed 's/^ //')

lintian --fail-on error,warning "$DEB" > "$TMP_E2E/lintian.log" 2>&1; codigo_lintian=$?
sed 's/^/  lintian: /' "$TMP_E2E/lintian.log" | grep -v 'root privileges'
verificar "lintian: no errors, no warnings" igual "$codigo_lintian" 0
CONTEUDO="$TMP_E2E/conteudo"
dpkg-deb -x "$DEB" "$CONTEUDO"
verificar "desktop-file-validate passes the menu entry" \
  desktop-file-validate "$CONTEUDO/usr/share/applications/ritmuro.desktop"
avisos_man="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l \
  "$CONTEUDO/usr/share/man/man6/ritmuro.6.gz" 2>&1 > /dev/null)"
verificar "man --warnings finds nothing in ritmuro(6)" igual "$avisos_man" ""
icones_certos() {
  local icone lado
  for icone in "$CONTEUDO"/usr/share/icons/hicolor/*/apps/ritmuro.png; do
    lado="$(basename "$(dirname "$(dirname "$icone")")")"
    [ "$(convert "$icone" -format '%wx%h %[opaque]' info:)" = "$lado false" ] ||
      { echo "  $lado: $(convert "$icone" -format '%wx%h opaque=%[opaque]' info:)"; return 1; }
  done
}
verificar "every icon decodes at its folder's size, with transparent corners" icones_certos
verificar "the pictures are the seven folders of data/, file for file" \
  diff -r -x icones "$DADOS_FONTE" "$CONTEUDO/usr/share/games/ritmuro"

# ---- installed
# What the package brings that the machine has not got yet: all of it must go with it.
(cd "$CONTEUDO" && find . -mindepth 1 | sed 's|^\.||') | while IFS= read -r caminho; do
  [ -e "$caminho" ] || echo "$caminho"
done > "$TMP_E2E/novos.txt"
DEBIAN_FRONTEND=noninteractive "${APT[@]}" install "$DEB" > "$TMP_E2E/install.log" 2>&1
codigo_apt=$?
pacote_instalado && INSTALADO=1
verificar "apt-get install ./$(basename "$DEB")" igual "$codigo_apt $INSTALADO" "0 1"
[ "$INSTALADO" = 1 ] || { tail -20 "$TMP_E2E/install.log"; terminar; }

# A player's PATH has /usr/games (login.defs); root's has not.
case ":$PATH:" in *:/usr/games:*) ;; *) export PATH="$PATH:/usr/games" ;; esac
verificar "typing ritmuro finds /usr/games/ritmuro" igual "$(command -v ritmuro)" /usr/games/ritmuro
comando_do_menu="$(sed -n 's/^Exec=//p' /usr/share/applications/ritmuro.desktop)"
verificar "the menu entry starts ritmuro" igual "$comando_do_menu" ritmuro
JOGO="$comando_do_menu"

mkdir "$TMP_E2E/sem_imagens"
iniciar_x
iniciar_jogo "$TMP_E2E/sem_imagens"
if esperar_janela; then
  sleep 0.3
  verificar "the installed game shows its title, drawn from the installed pictures" \
    tela_igual "$(foto titulo_instalado)" "$(titulo_esperado 0)"
  tecla Escape
  esperar_fim 10
  verificar "Esc on the title ends the game with exit code 0" igual "$CODIGO" 0
else
  falha "the installed game opens its window from a folder with no pictures"
fi

# ---- removed
DEBIAN_FRONTEND=noninteractive "${APT[@]}" purge ritmuro > "$TMP_E2E/purge.log" 2>&1
codigo_apt=$?
pacote_instalado || INSTALADO=0
verificar "apt-get purge ritmuro" igual "$codigo_apt $INSTALADO" "0 0"
sobras() {
  local caminho restos=""
  while IFS= read -r caminho; do
    [ -e "$caminho" ] && restos+=" $caminho"
  done < "$TMP_E2E/novos.txt"
  [ -z "$restos" ] || { echo "  left behind:$restos"; return 1; }
}
verificar "nothing the package brought is left ($(grep -c . "$TMP_E2E/novos.txt") new paths checked)" sobras

log "install, start and removal: $(( $(date +%s) - inicio )) s"
terminar
