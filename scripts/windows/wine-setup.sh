#!/usr/bin/env bash
# Installs wine and prepares the wine prefix in which the Windows game is
# tested: 32-bit (/var/cache/ritmuro/wineprefix) where the machine can execute
# 32-bit code, else 64-bit (/var/cache/ritmuro/wineprefix64); see
# ambiente-wine.sh. Does nothing when the prefix is already there with the same
# settings. Run as root.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/comum.sh"
source "$(dirname "${BASH_SOURCE[0]}")/ambiente-wine.sh"

MARCA="$WINEPREFIX/.ritmuro-wine"

# A virtual desktop gives the game its 640x480 mode at once, at 0,0 of the X
# screen; without the GDI renderer the screen stays black under Xvfb (there is
# no OpenGL for it) and keys never arrive.
REGISTRO='REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Direct3D]
"renderer"="gdi"
'

versao_desejada() { printf '%s\n' "$WINEARCH" "$REGISTRO" | sha256sum | cut -d' ' -f1; }

prefixo_pronto() {
  [ -f "$MARCA" ] && [ "$(cat "$MARCA")" = "$(versao_desejada)" ]
}

garantir_wine() {
  if [ "$RITMURO_WINE" = win32 ]; then
    garantir_arquitetura_i386
    garantir_pacotes wine wine32:i386
  else
    garantir_pacotes wine wine64
  fi
  [ -x "$(command -v "$WINE")" ] || falha "$WINE não está instalado"
  "$WINE" --version > /dev/null 2>&1 || falha "$WINE não executa nesta máquina"
}

# wine keeps the registry in memory and writes user.reg when its server
# stops: the values are checked in the file, which the next run reads.
gravar_registro() {
  local arquivo
  arquivo="$(mktemp /tmp/ritmuro-wine.XXXXXX.reg)"
  printf '%s' "$REGISTRO" > "$arquivo"
  env -u DISPLAY "$WINE" regedit /S "Z:${arquivo//\//\\}" > /dev/null 2>&1 ||
    falha "regedit não importou $arquivo"
  wineserver -w
  rm -f "$arquivo"
  local valor
  for valor in '"Desktop"="Default"' '"Default"="1024x768"' '"renderer"="gdi"'; do
    grep -qF "$valor" "$WINEPREFIX/user.reg" || falha "$valor não ficou em $WINEPREFIX/user.reg"
  done
}

criar_prefixo() {
  aviso "criando o prefixo $WINEPREFIX ($RITMURO_WINE)"
  [ -d "$WINEPREFIX" ] && { wineserver -k 2> /dev/null || true; }
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  # No display needed: wineboot only fills the prefix. In a 64-bit prefix it
  # reports that it cannot set up the 32-bit half; that part is not used.
  local log="$RITMURO_CACHE/wineboot-$RITMURO_WINE.log"
  env -u DISPLAY "$WINE" wineboot --init > "$log" 2>&1 || { cat "$log" >&2; falha "wineboot --init falhou"; }
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || falha "wineboot não criou $WINEPREFIX/system.reg"
  aviso "wineboot terminou ($(duracao))"
  gravar_registro
  versao_desejada > "$MARCA"
}

main() {
  if [ "$RITMURO_WINE" = win64 ]; then
    aviso "esta máquina não executa código de 32 bits: prefixo de 64 bits, para o jogo compilado para x86_64"
  fi
  garantir_wine
  aviso "$("$WINE" --version) pronto ($(duracao))"
  if prefixo_pronto; then
    aviso "prefixo $WINEPREFIX já pronto ($(duracao))"
    return 0
  fi
  criar_prefixo
  aviso "prefixo $WINEPREFIX pronto, $(duracao) no total"
}

main "$@"
