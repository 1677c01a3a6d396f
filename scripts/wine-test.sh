#!/usr/bin/env bash
# wine-test.sh DIR PROGRAM.exe [ARGS...]
#
# The windows build's test emulator: runs one test program under Wine in the build tree's own prefix
# (DIR/prefix) on the session's private display (DIR/display, see wine-session.sh), with a hard limit
# of $BUS_TEST_TIMEOUT seconds (default 120). Run by hand, without a session, it prepares the prefix
# and uses a private Xvfb of its own. Exit status as run-gui.sh: the program's, 124 timed out,
# 125 crashed, 126 set-up problem.
set -uo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -ge 2 ] || { echo "usage: $0 DIR PROGRAM.exe [ARGS...]" >&2; exit 126; }
mkdir -p "$1"; DIR=$(cd "$1" && pwd); shift
OPTS=(--prefix "$DIR/prefix" --timeout "${BUS_TEST_TIMEOUT:-120}")
if [ -f "$DIR/display" ] && DISPLAY=$(cat "$DIR/display") timeout 5 xdpyinfo >/dev/null 2>&1; then
  export DISPLAY=$(cat "$DIR/display")
else
  [ -f "$DIR/prefix/.platform-setup-ok" ] || bash "$HERE/setup-wine-prefix.sh" "$DIR/prefix" >&2 </dev/null || exit 126
  OPTS+=(--xvfb)
fi
exec bash "$HERE/run-gui.sh" "${OPTS[@]}" "$@"
