#!/usr/bin/env bash
# Runs a command in which 32-bit wine works on a machine whose kernel refuses
# 32-bit x86 programs: in a user and mount namespace of its own, where i386
# ELF programs are handed to qemu-i386 by a binfmt_misc instance that only
# this namespace sees (Linux 6.7 and later give each user namespace its own).
# Nothing is registered for the rest of the machine: a wine prefix being made
# elsewhere meanwhile would otherwise start its 32-bit half under qemu.
#   wine32-emulado.sh COMMAND [ARGS...]
# The command keeps this process's id, so its exit code and signals are the
# caller's as usual. QEMU_I386 names the emulator (scripts/windows/qemu.sh).
set -euo pipefail

# Already inside (a command run from another one): nothing to do.
[ "${RITMURO_WINE32_NAMESPACE:-}" = dentro ] && exec "$@"
if [ "${RITMURO_WINE32_NAMESPACE:-}" != "entrando-$$" ]; then
  # unshare execs in place: the same process goes on inside the namespace.
  export RITMURO_WINE32_NAMESPACE="entrando-$$"
  exec unshare --user --map-root-user --mount --propagation private bash "$0" "$@"
fi

[ -x "${QEMU_I386:-}" ] || { echo "wine32-emulado.sh: no qemu-i386 at '${QEMU_I386:-}'" >&2; exit 1; }
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
# i386 executables (ELF class 32, little endian, machine 3); the F flag opens
# the emulator now, so it is found whatever the programs' own view of files.
# The kernel reads the \x escapes itself.
# shellcheck disable=SC2028
echo ":ritmuro-i386:M::"'\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'":"'\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'":$QEMU_I386:F" \
  > /proc/sys/fs/binfmt_misc/register
export RITMURO_WINE32_NAMESPACE=dentro
exec "$@"
