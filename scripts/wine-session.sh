#!/usr/bin/env bash
# wine-session.sh start|stop DIR
#
# The test session of one build tree: DIR/prefix is the build's own Wine prefix (made or repaired by
# setup-wine-prefix.sh) and DIR/display names a private Xvfb that every Windows test of the session
# shares, so that tests start warm instead of each paying for its own X server and wineserver.
#   start  prepare the prefix, start the Xvfb unless one of ours still answers
#   stop   end every process of the prefix and our Xvfb
# CTest runs these as the setup and cleanup of the "wine" fixture.
set -uo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$HERE/wine-env.sh"
die() { echo "wine-session: ERROR: $*" >&2; exit 1; }
[ $# -eq 2 ] || die "usage: $0 start|stop DIR"
ACTION=$1
mkdir -p "$2"; DIR=$(cd "$2" && pwd)
PREFIX=$DIR/prefix SIZE=1024x768

display_alive() {
  [ -f "$DIR/display" ] && [ -f "$DIR/xvfb.pid" ] || return 1
  kill -0 "$(cat "$DIR/xvfb.pid")" 2>/dev/null || return 1
  DISPLAY=$(cat "$DIR/display") timeout 5 xdpyinfo >/dev/null 2>&1
}

case "$ACTION" in
  start)
    if ! display_alive; then
      rm -f "$DIR/display" "$DIR/xvfb.pid"
      fdfile=$(mktemp)
      # detached from the caller's stdio: CTest waits for every holder of the test's output pipe
      setsid Xvfb -displayfd 3 -screen 0 "${SIZE}x24" -nolisten tcp -noreset 3>"$fdfile" </dev/null >/dev/null 2>&1 &
      pid=$!
      for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
      [ -s "$fdfile" ] || { kill "$pid" 2>/dev/null; rm -f "$fdfile"; die "Xvfb did not start"; }
      echo ":$(head -1 "$fdfile" | tr -d '[:space:]')" > "$DIR/display"
      echo "$pid" > "$DIR/xvfb.pid"
      rm -f "$fdfile"
    fi
    export DISPLAY=$(cat "$DIR/display")
    bash "$HERE/setup-wine-prefix.sh" "$PREFIX" --size "$SIZE" </dev/null || die "prefix set-up failed"
    echo "wine-session: prefix $PREFIX, display $DISPLAY"
    ;;
  stop)
    if [ -d "$PREFIX" ]; then ( wine_env "$PREFIX"; wine_stop ); fi
    if [ -f "$DIR/xvfb.pid" ]; then
      pid=$(cat "$DIR/xvfb.pid"); kill "$pid" 2>/dev/null
      for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    fi
    rm -f "$DIR/display" "$DIR/xvfb.pid"
    echo "wine-session: stopped"
    ;;
  *) die "usage: $0 start|stop DIR" ;;
esac
