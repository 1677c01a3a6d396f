#!/usr/bin/env bash
# main-window-screenshot.sh [BUILD_DIR] [OUT.png] [STOP] [suggest]
#
# Takes a picture of the main window after a stop search under Wine: builds main_window_shot in
# the windows build (default build/windows), runs it through the test emulator (it types STOP,
# default 钟楼, into the stop box, presses Enter and saves the window's screen area as BMP), and
# converts that to PNG (default BUILD_DIR/main-window-search.png) with ImageMagick. With "suggest"
# it presses Down instead of Enter: the picture shows the suggestion list open under the stop box.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/main-window-search.png}
STOP=${3:-钟楼}
MODE=${4:-}
cmake --build "$BUILD" --target main_window_shot -j2 >/dev/null
BMP=$(mktemp --suffix=.bmp -p "$BUILD")
trap 'rm -f "$BMP"' EXIT
bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/main_window_shot.exe" "Z:$(realpath "$BMP")" "$STOP" $MODE
convert "$BMP" "$OUT"
echo "main-window-screenshot: $OUT"
