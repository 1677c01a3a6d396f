#!/usr/bin/env bash
# ./run.sh -- install what is missing, build the program, and start BusSearch.exe with the bundled
# Xi'an database under Wine.  On a working display the program opens there and this script returns
# when it ends.  Without one it runs on a private headless display, saves a screenshot of the
# window to build/screenshot.png, closes the program and says where the screenshot is.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
bash scripts/install-deps.sh || exit 1
cmake --preset windows >/dev/null || exit 1
cmake --build --preset windows --target BusSearch route_data || exit 1

PREFIX=$PWD/build/windows/wine/prefix
bash scripts/setup-wine-prefix.sh "$PREFIX" </dev/null || exit 1
EXE=build/windows/bin/BusSearch.exe

if [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1; then
  exec bash scripts/run-gui.sh --prefix "$PREFIX" --timeout 86400 "$EXE"
fi
SHOT=$PWD/build/screenshot.png
rm -f "$SHOT"
bash scripts/run-gui.sh --prefix "$PREFIX" --xvfb --timeout 120 \
  --screenshot "$SHOT" --shot-when Zelvo --shot-delay 2 --stop-after-shot "$EXE"
rc=$?
if [ -s "$SHOT" ]; then echo "run.sh: no display; screenshot of the program saved to $SHOT"; fi
exit "$rc"
