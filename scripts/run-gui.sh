#!/usr/bin/env bash
# run-gui.sh [options] [--] PROGRAM.exe [ARGS...]
#
# Runs a Windows program under Wine in the project's prefix, with a hard timeout, never hanging.
#   --prefix DIR       Wine prefix (default: $WINEPREFIX, else ~/.cache/wine-zh/prefix); created by
#                      setup-wine-prefix.sh (this script refuses an unprepared prefix)
#   --timeout SEC      hard limit (default 60).  On expiry every process of the prefix is killed.
#   --screenshot FILE  save a PNG of the virtual desktop --shot-delay seconds after the start
#   --shot-delay SEC   default 2 (fractions allowed)
#   --shot-when TITLE  take the screenshot once a window whose title contains TITLE is up (waits at
#                      most the timeout), then --shot-delay more seconds for it to paint
#   --stop-after-shot  end the program after the screenshot (for programs that never end by
#                      themselves); the run then counts as successful unless the program failed first
#   --xvfb             always use a private Xvfb (default: only when DISPLAY is unset or unusable)
#   --no-net           run inside a private network namespace that has only loopback
#                      (unshare -n; needs root): nothing can leave the machine, dead hosts fail fast
# Exit status: the program's own, or 124 = timed out, 125 = crashed (Wine printed "Unhandled
# exception"; Wine's own exit status after a crash is unreliable, 0 was seen), 126 = set-up problem.
# Runs in one prefix are serialised with a lock (one virtual desktop per prefix).
# Usable as CMAKE_CROSSCOMPILING_EMULATOR (see mingw-toolchain.cmake).
set -uo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
. "$HERE/wine-env.sh"
say() { echo "run-gui: $*" >&2; }
fail() { say "ERROR: $*"; exit 126; }

PREFIX="" TIMEOUT=60 SHOT="" DELAY=2 FORCE_XVFB=0 NONET=0 SHOT_WHEN="" STOP_AFTER_SHOT=0
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) PREFIX=$2; shift 2 ;;
    --timeout) TIMEOUT=$2; shift 2 ;;
    --screenshot) SHOT=$2; shift 2 ;;
    --shot-delay) DELAY=$2; shift 2 ;;
    --shot-when) SHOT_WHEN=$2; shift 2 ;;
    --stop-after-shot) STOP_AFTER_SHOT=1; shift ;;
    --xvfb) FORCE_XVFB=1; shift ;;
    --no-net) NONET=1; shift ;;
    -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
    --) shift; break ;;
    -*) fail "unknown option $1" ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || fail "no program given"
EXE=$1; shift
[ -f "$EXE" ] || fail "no such program: $EXE"
PREFIX=${PREFIX:-${WINEPREFIX:-$WINE_ENV_DEFAULT_PREFIX}}
case "$PREFIX" in /*) ;; *) PREFIX="$PWD/$PREFIX" ;; esac
[ -f "$PREFIX/.platform-setup-ok" ] || fail "prefix $PREFIX not prepared: run setup-wine-prefix.sh $PREFIX"
SIZE=$(sed -n 's/^size=//p' "$PREFIX/.platform-setup-ok"); SIZE=${SIZE:-1024x768}
wine_env "$PREFIX"

# one run at a time per prefix.  Every process started below gets "9>&-": Wine's helper processes
# outlive the program by seconds and would otherwise inherit fd 9 and keep the lock.
exec 9>"$PREFIX/.run-lock"
flock -w "$TIMEOUT" 9 || fail "prefix $PREFIX busy for ${TIMEOUT}s"

PRIVATE_X=0
if [ "$FORCE_XVFB" = 1 ] || [ -z "${DISPLAY:-}" ] || { command -v xdpyinfo >/dev/null && ! timeout 5 xdpyinfo >/dev/null 2>&1; }; then
  wine_stop 9>&-                  # leftovers of this prefix may be bound to another display
  xvfb_start "$SIZE" 9>&- || fail "cannot start Xvfb"
  PRIVATE_X=1
fi
[ "$NONET" = 1 ] && wine_stop 9>&-   # do not share services with a wineserver outside the namespace

# The program's stdout/stderr go to files that are replayed when it ends: Wine's helper processes
# (services.exe, explorer.exe ...) inherit the first program's handles and live on for seconds, so a
# pipe (ctest, $(...), | tee) would otherwise stay open long after the program has exited.
OUTF=$(mktemp) ERRF=$(mktemp)
cleanup() {
  rm -f "$OUTF" "$ERRF"
  if [ "$PRIVATE_X" = 1 ] || [ "$NONET" = 1 ]; then wine_stop 9>&-; fi
  [ "$PRIVATE_X" = 1 ] && xvfb_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

CMD=(timeout -k 5 "$TIMEOUT" wine "$EXE" "$@")
if [ "$NONET" = 1 ]; then
  command -v unshare >/dev/null || fail "unshare missing"
  CMD=(unshare -n sh -c 'ip link set lo up 2>/dev/null || true; exec "$@"' sh "${CMD[@]}")
fi

START=$(date +%s%N)
"${CMD[@]}" </dev/null >"$OUTF" 2>"$ERRF" 9>&- &
PID=$!
SHOT_TAKEN=0
if [ -n "$SHOT" ]; then
  if [ -n "$SHOT_WHEN" ]; then
    deadline=$(( $(date +%s) + TIMEOUT ))
    until xdotool search --name "$SHOT_WHEN" >/dev/null 2>&1; do
      kill -0 "$PID" 2>/dev/null || break
      [ "$(date +%s)" -lt "$deadline" ] || break
      sleep 0.1
    done
  fi
  sleep "$DELAY"
  kill -0 "$PID" 2>/dev/null || say "warning: program ended before the screenshot"
  ALIVE_AT_SHOT=0; kill -0 "$PID" 2>/dev/null && ALIVE_AT_SHOT=1
  if command -v xdotool >/dev/null && WID=$(xdotool search --name 'Wine desktop' 2>/dev/null | head -1) && [ -n "$WID" ]; then
    import -window "$WID" "$SHOT" 2>/dev/null || import -window root "$SHOT" 2>/dev/null || say "warning: screenshot failed"
  else
    import -window root "$SHOT" 2>/dev/null || say "warning: screenshot failed"
  fi
  [ -s "$SHOT" ] && SHOT_TAKEN=1
  if [ "$STOP_AFTER_SHOT" = 1 ] && [ "$ALIVE_AT_SHOT" = 1 ]; then
    wine_stop 9>&-
  fi
fi
wait "$PID"; RC=$?
if [ "$STOP_AFTER_SHOT" = 1 ] && [ "${ALIVE_AT_SHOT:-0}" = 1 ]; then
  # ended by us: a success unless it crashed before
  grep -a -q -E '^wine: Unhandled|Unhandled exception:' "$ERRF" || RC=0
  [ "$SHOT_TAKEN" = 1 ] || RC=126
fi
ELAPSED_MS=$(( ($(date +%s%N) - START) / 1000000 ))
cat "$OUTF"; cat "$ERRF" >&2

if [ "$RC" = 124 ] || [ "$RC" = 137 ]; then
  say "TIMEOUT: $EXE still running after ${TIMEOUT}s -- killing every process of $PREFIX"
  wine_stop 9>&-
  exit 124
fi
if grep -a -q -E '^wine: Unhandled|Unhandled exception:' "$ERRF"; then
  say "CRASH: $EXE raised an unhandled exception (wine exit status was $RC)"
  exit 125
fi
[ -n "${RUN_GUI_VERBOSE:-}" ] && say "$EXE exited $RC after ${ELAPSED_MS} ms"
exit "$RC"
