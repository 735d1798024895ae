# shellcheck shell=bash
# A virtual X server of our own for the scripts that play the real game.
#   source scripts/lib/xvfb.sh
#   iniciar_xvfb 640x480x24 [-br ...]   # sets XVFB_PID and exports DISPLAY
#   ...
#   parar_xvfb
#
# Xvfb picks a free display number itself (-displayfd) and announces it only
# once it accepts clients: a number chosen by looking at /tmp/.X*-lock can be
# taken at the same moment by another run, or still be held by a server that
# is going away, and then the game meets the wrong server, or none.
#
# -noreset: by default an X server resets when its last client leaves, and
# the reset drops every connection it has accepted but not yet answered. A
# game connecting just as a short-lived client (xdotool, xwininfo, another
# game) leaves has its connection closed right after sending its setup
# request; XOpenDisplay returns NULL and allegro_init fails with nothing in
# allegro_error. A player's X server always has other clients, so it never
# resets under the game; ours must not either.

XVFB_PID=""

iniciar_xvfb() {  # iniciar_xvfb GEOMETRY [XVFB_OPTIONS...]
  local geometria=$1 pasta numero _
  shift
  pasta="$(mktemp -d /tmp/ritmuro-xvfb.XXXXXX)"
  # A caller holding a lock on a descriptor of its own closes it for this
  # call (iniciar_xvfb ... {FD}>&-), so that the server never keeps it.
  Xvfb -displayfd 3 -screen 0 "$geometria" -nolisten tcp -noreset "$@" 3> "$pasta/display" \
    < /dev/null > "$pasta/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$pasta/display" ] && break
    kill -0 "$XVFB_PID" 2> /dev/null || break
    sleep 0.1
  done
  numero="$(head -1 "$pasta/display" 2> /dev/null)"
  if [ -z "$numero" ]; then
    echo "$(basename "$0"): Xvfb did not start:" >&2
    sed 's/^/  /' "$pasta/xvfb.log" >&2
    kill "$XVFB_PID" 2> /dev/null
    XVFB_PID=""
    rm -rf "$pasta"
    return 1
  fi
  rm -rf "$pasta"
  export DISPLAY=":$numero"
}

# Ends the server and waits until it is gone, so that its display number is
# free again when the next run starts one.
parar_xvfb() {
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2> /dev/null
  wait "$XVFB_PID" 2> /dev/null
  XVFB_PID=""
}
