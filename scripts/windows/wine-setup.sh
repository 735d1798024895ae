#!/usr/bin/env bash
# Installs 32-bit wine (and, where the kernel refuses 32-bit programs, the
# qemu-i386 that runs it: qemu.sh) and prepares the 32-bit wine prefix in
# which the Windows game is tested, /var/cache/ritmuro/wineprefix; see
# ambiente-wine.sh. Does nothing when the prefix is already there with the
# same settings. Run as root.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/comum.sh"
source "$RITMURO_RAIZ/scripts/lib/pacotes.sh"
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

# wine64 brings the native 64-bit wineserver, which also serves 32-bit
# prefixes: under emulation that saves emulating the server too.
garantir_wine() {
  garantir_arquitetura_i386
  garantir_pacotes wine wine32:i386 wine64
  if [ "$RITMURO_WINE_MODO" = qemu ]; then
    # wine32-emulado.sh mounts the namespace's binfmt_misc: every Debian
    # install has mount, a minimal root (mmdebstrap's apt variant) has not.
    garantir_pacotes mount
    bash "$RITMURO_RAIZ/scripts/windows/qemu.sh" || abortar "qemu-i386 is not ready"
  fi
  [ -x "$(command -v "$WINE")" ] || abortar "$WINE is not installed"
  com_wine "$WINE" --version > /dev/null 2>&1 || abortar "$WINE does not run on this machine ($RITMURO_WINE_MODO)"
}

# wine keeps the registry in memory and writes user.reg when its server
# stops: the values are checked in the file, which the next run reads.
gravar_registro() {
  local arquivo
  arquivo="$(mktemp /tmp/ritmuro-wine.XXXXXX.reg)"
  printf '%s' "$REGISTRO" > "$arquivo"
  com_wine "$WINE" regedit /S "Z:${arquivo//\//\\}" > /dev/null 2>&1 ||
    abortar "regedit did not import $arquivo"
  com_wine wineserver -w
  rm -f "$arquivo"
  local valor
  for valor in '"Desktop"="Default"' '"Default"="1024x768"' '"renderer"="gdi"'; do
    grep -qF "$valor" "$WINEPREFIX/user.reg" || abortar "$valor is not in $WINEPREFIX/user.reg"
  done
}

criar_prefixo() {
  aviso "making the prefix $WINEPREFIX (win32, $RITMURO_WINE_MODO)"
  [ -d "$WINEPREFIX" ] && { com_wine wineserver -k 2> /dev/null || true; }
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  local log="$RITMURO_CACHE/wineboot-win32.log"
  com_wine "$WINE" wineboot --init > "$log" 2>&1 || { cat "$log" >&2; abortar "wineboot --init failed"; }
  com_wine wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || abortar "wineboot made no $WINEPREFIX/system.reg"
  aviso "wineboot done ($(duracao))"
  gravar_registro
  versao_desejada > "$MARCA"
}

# A prefix being made while a test runs in it would break both: the lock of
# the prefix is taken here unless the caller holds it (testar-windows.sh).
# Wine's own processes (a wineserver that outlives this script) never get the
# lock's descriptor.
travar_prefixo() {
  [ "${RITMURO_WINE_TRAVA_TOMADA:-}" = "$WINEPREFIX" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9> "$WINEPREFIX.lock"
  flock -w 900 9 || abortar "$WINEPREFIX.lock stayed locked"
}
com_wine() { "${COM_WINE[@]}" "$@" 9>&-; }

main() {
  # wineboot and regedit only fill the prefix: no display.
  unset DISPLAY
  garantir_wine
  travar_prefixo
  aviso "$(como_o_wine_roda) ($(duracao))"
  if prefixo_pronto; then
    aviso "prefix $WINEPREFIX already ready ($(duracao))"
    return 0
  fi
  criar_prefixo
  aviso "prefix $WINEPREFIX ready, $(duracao) in all"
}

main "$@"
