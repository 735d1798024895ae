#!/usr/bin/env bash
# Run by scripts/arquiteturas.sh inside a fresh Debian root of its own, with
# the sources copied to /ritmuro: the game for another architecture ARCH,
# built with Debian's cross compilers against Debian's ARCH Allegro, and run
# under qemu's user-mode emulator.
#   dentro.sh ARCH STEPS [rapido]    STEPS: unidade,titulo,pacote (any of them)
#     unidade  the game, its unit tests and the art generator built for ARCH;
#              the unit tests run under the emulator (ctest, JUnit results)
#     titulo   the ARCH game started under the emulator in Xvfb from data/:
#              its title, pixel for pixel, then Esc and exit code 0
#     pacote   dpkg-buildpackage -a ARCH (a nocheck cross build), lintian
# rapido leaves out the two longest unit tests, minutes each under the
# emulator: a stage won by a player answering late, and the seeded soak.
# Results (logs, JUnit file, .debs) go to /resultados.
# Not -e: verificacoes.sh counts with commands that fail when a count is 0.
set -uo pipefail
source /ritmuro/scripts/lib/comum.sh
source /ritmuro/scripts/lib/verificacoes.sh
ARQ=$1
PASSOS=$2
LONGOS=()
[ "${3:-}" != rapido ] ||
  LONGOS=(-E '^(Jogavel\.AtrasoMaiorComQueAindaVenceCadaFase|SoakJogo\.PartidasInteirasSobTeclasAleatorias)$')
FONTES=/ritmuro
CONSTRUCAO=/construcao
RESULTADOS=/resultados
VERIFICACOES_ARQUIVO=$RESULTADOS/verificacoes.txt
mkdir -p "$CONSTRUCAO" "$RESULTADOS"
: > "$VERIFICACOES_ARQUIVO"

# What Debian and CMake call ARCH, and the ELF machine its programs carry.
case "$ARQ" in
  arm64) GNU=aarch64-linux-gnu; PROCESSADOR=aarch64; QEMU=qemu-aarch64; ELF_MAQUINA=183; ELF_BYTES=1 ;;
  i386)  GNU=i686-linux-gnu;    PROCESSADOR=i686;    QEMU=qemu-i386;    ELF_MAQUINA=3;   ELF_BYTES=1 ;;
  s390x) GNU=s390x-linux-gnu;   PROCESSADOR=s390x;   QEMU=qemu-s390x;   ELF_MAQUINA=22;  ELF_BYTES=2 ;;
  *) abortar "unknown architecture '$ARQ'" ;;
esac
passo() { aviso "$ARQ: $*"; }
tem_passo() { [[ ",$PASSOS," == *",$1,"* ]]; }

# The project's apt helpers (pacotes.sh: a syncing mirror tried again, a
# missing index of an update suite met with the release's own packages),
# their log among the results.
ln -sfn "$RESULTADOS" "$FONTES/build"
source "$FONTES/scripts/lib/pacotes.sh"
apt_instalar() { (garantir_pacotes "$@"); }

instalar() {
  passo "adding the $ARQ architecture to this root's dpkg; installing the cross toolchain"
  dpkg --add-architecture "$ARQ" || abortar "dpkg --add-architecture $ARQ failed"
  apt_atualizar
  apt_instalar "crossbuild-essential-$ARQ" ||
    abortar "the cross toolchain did not install: Debian package crossbuild-essential-$ARQ"
  apt_instalar dpkg-dev qemu-user || abortar "the emulator did not install: Debian package qemu-user ($QEMU)"
  # The cross compilers keep their C++ library in /usr/$GNU; the programs run
  # with the multiarch one, like on a machine of ARCH.
  apt_instalar cmake make "pkgconf:$ARQ" "liballegro4-dev:$ARQ" "libgtest-dev:$ARQ" "libstdc++6:$ARQ" ||
    abortar "the $ARQ libraries did not install: liballegro4-dev:$ARQ libgtest-dev:$ARQ pkgconf:$ARQ"
  if tem_passo titulo; then
    # and what the screen reader built outside (olho_tela) runs with
    # (of this machine's architecture: those of ARCH count as installed too
    # for a name without one)
    local nativa
    nativa="$(dpkg --print-architecture)"
    apt_instalar xvfb xdotool x11-utils "$(pacote_da_release "liballegro4.4:$nativa")" \
      "libx11-6:$nativa" "libxtst6:$nativa" ||
      abortar "the X tools did not install: xvfb xdotool x11-utils liballegro4.4 libx11-6 libxtst6"
  fi
  command -v "$GNU-g++" > /dev/null || abortar "no $GNU-g++: Debian package g++-$GNU (crossbuild-essential-$ARQ)"
  command -v "$QEMU" > /dev/null || abortar "no $QEMU: Debian package qemu-user"
}

# The emulator, with the root's own libraries of ARCH (Debian's multiarch
# folders and loader). 32-bit x86 runs natively where the kernel lets it.
escolher_emulador() {
  EMULADOR=("$QEMU" -L /)
  if [ "$ARQ" = i386 ] && maquina_executa_32_bits; then
    EMULADOR=()
    passo "this kernel runs 32-bit programs: no emulator"
  fi
}

# The ELF header's machine (bytes 18-19) and byte order (byte 5): a program
# of ARCH, not of the machine building it.
elf_de_arq() {  # elf_de_arq FILE
  local ordem maquina
  ordem=$(od -An -tu1 -j5 -N1 "$1" | tr -d ' ')
  if [ "$ordem" = 2 ]; then
    maquina=$(od -An -tu1 -j18 -N2 "$1" | awk '{print $1 * 256 + $2}')
  else
    maquina=$(od -An -tu1 -j18 -N2 "$1" | awk '{print $2 * 256 + $1}')
  fi
  [ "$ordem" = "$ELF_BYTES" ] && [ "$maquina" = "$ELF_MAQUINA" ] ||
    { echo "  $1: ELF byte order $ordem, machine $maquina; expected $ELF_BYTES, $ELF_MAQUINA" >&2; return 1; }
}

construir() {
  passo "configuring and building the game, the unit tests and the art generator"
  local emulador
  emulador=$(IFS=';'; echo "${EMULADOR[*]}")
  cmake -S "$FONTES" -B "$CONSTRUCAO" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR="$PROCESSADOR" \
    -DCMAKE_CXX_COMPILER="$GNU-g++" -DPKG_CONFIG_EXECUTABLE="/usr/bin/$GNU-pkg-config" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulador" \
    -DRITMURO_SO_UNIDADE=ON -DRITMURO_BENCH=OFF -DRITMURO_GERADOR=ON \
    > "$RESULTADOS/cmake.log" 2>&1 || { tail -30 "$RESULTADOS/cmake.log" >&2; abortar "cmake failed"; }
  local inicio=$SECONDS
  cmake --build "$CONSTRUCAO" -j2 --target ritmuro testes_unidade gerar_imagens \
    > "$RESULTADOS/build.log" 2>&1 || { tail -30 "$RESULTADOS/build.log" >&2; abortar "the build failed"; }
  passo "built in $((SECONDS - inicio)) s"
  local programa
  for programa in ritmuro tests/testes_unidade tools/gerar_imagens; do
    verificar "$programa is an ELF program of $ARQ (machine $ELF_MAQUINA)" elf_de_arq "$CONSTRUCAO/$programa"
  done
}

# ctest's JUnit file: how many ran, how many failed.
resumo_junit() {  # resumo_junit FILE -> "RAN FAILED"
  local falhas
  falhas=$(sed -n '/<testsuite/,/>/p' "$1" | sed -n 's/^[[:space:]]*failures="\([0-9]*\)".*/\1/p')
  echo "$(grep -c '<testcase .*status="run"' "$1") ${falhas:-?}"
}

testes_de_unidade() {
  passo "unit tests under ${EMULADOR[*]:-no emulator}"
  local inicio=$SECONDS rc=0 rodados falhas
  (cd "$CONSTRUCAO" && ctest -L unidade "${LONGOS[@]}" -j2 --output-on-failure --timeout 1200 \
     --output-junit "$RESULTADOS/testes-unidade.xml") > "$RESULTADOS/ctest.log" 2>&1 || rc=$?
  read -r rodados falhas < <(resumo_junit "$RESULTADOS/testes-unidade.xml")
  passo "$rodados unit tests ran in $((SECONDS - inicio)) s, $falhas failed (ctest exit code $rc)"
  [ "$rc" = 0 ] || grep -A30 -- '-- Failed\|Failure\|FAILED' "$RESULTADOS/ctest.log" | head -80 >&2
  verificar "the $ARQ unit tests pass under ${EMULADOR[*]:-no emulator}" \
    test "$rc" = 0 -a "$rodados" -gt 0 -a "$falhas" = 0
}

titulo() {
  passo "the $ARQ game in Xvfb, under ${EMULADOR[*]:-no emulator}"
  local jogo=$CONSTRUCAO/ritmuro-$ARQ
  printf '#!/bin/sh\nexec %s %s "$@"\n' "${EMULADOR[*]}" "$CONSTRUCAO/ritmuro" > "$jogo"
  chmod +x "$jogo"
  local inicio=$SECONDS
  verificar "the $ARQ game shows its title in Xvfb and leaves with Esc, exit code 0" \
    bash "$FONTES/scripts/arquiteturas/titulo.sh" "$jogo" "$FONTES/data" "$RESULTADOS/olho_tela"
  passo "title check: $((SECONDS - inicio)) s"
}

pacote() {
  local versao fonte inicio=$SECONDS
  versao=$(cd "$FONTES" && dpkg-parsechangelog -S Version)
  fonte=/pacote/ritmuro-$versao
  mkdir -p /pacote
  copiar_fontes "$FONTES" "$fonte" || abortar "the sources could not be copied to $fonte"
  passo "apt-get build-dep -a $ARQ"
  DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends -a "$ARQ" \
    -P cross,nocheck "$fonte" >> "$(registro_apt)" 2>&1 ||
    { tail -20 "$(registro_apt)" >&2; abortar "apt-get build-dep -a $ARQ failed"; }
  apt_instalar lintian || abortar "lintian did not install"
  passo "dpkg-buildpackage -a $ARQ (nocheck: the unit tests ran above)"
  local rc=0
  (cd "$fonte" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -a "$ARQ" -Pcross,nocheck -us -uc -b -j2) \
    > "$RESULTADOS/dpkg-buildpackage.log" 2>&1 || rc=$?
  verificar "dpkg-buildpackage -a $ARQ" test "$rc" = 0
  [ "$rc" = 0 ] || { tail -30 "$RESULTADOS/dpkg-buildpackage.log" >&2; return 0; }
  local deb=/pacote/ritmuro_${versao}_$ARQ.deb
  cp /pacote/*.deb "$RESULTADOS/"
  verificar "ritmuro_${versao}_$ARQ.deb is for $ARQ (its Architecture field)" \
    test "$(dpkg-deb -f "$deb" Architecture)" = "$ARQ"
  local jogo_no_deb
  jogo_no_deb=$(mktemp -d)
  dpkg-deb -x "$deb" "$jogo_no_deb"
  verificar "the game in the .deb is an ELF program of $ARQ" elf_de_arq "$jogo_no_deb/usr/lib/games/ritmuro/ritmuro"
  rm -rf "$jogo_no_deb"
  rc=0
  (cd /pacote && lintian -I -E --pedantic "$deb") > "$RESULTADOS/lintian.log" 2>&1 || rc=$?
  sed 's/^/  /' "$RESULTADOS/lintian.log"
  verificar "lintian -I -E --pedantic on the $ARQ .deb: no tag but those overridden in debian/" test "$rc" = 0
  passo "package: $((SECONDS - inicio)) s"
}

main() {
  instalar
  escolher_emulador
  if tem_passo unidade || tem_passo titulo; then construir; fi
  if tem_passo unidade; then testes_de_unidade; fi
  if tem_passo titulo; then titulo; fi
  if tem_passo pacote; then pacote; fi
  terminar
}

main
