#!/usr/bin/env bash
# frame-screenshot.sh [BUILD_DIR] [OUT_PREFIX]
#
# Takes pictures of the skinned window frame under Wine: builds frame_shot in the windows build
# (default build/windows), runs it through the test emulator (the main window active, then inactive
# behind another window, then a message box of the window over it), and converts its three pictures
# to PNG with ImageMagick: OUT_PREFIX-active.png, -inactive.png and -messagebox.png. OUT_PREFIX
# defaults to BUILD_DIR/frame.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/frame}
cmake --build "$BUILD" --target frame_shot -j2 >/dev/null
TMP=$(mktemp -d -p "$BUILD")
trap 'rm -rf "$TMP"' EXIT
bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/frame_shot.exe" "Z:$(realpath "$TMP")/shot"
for part in active inactive messagebox; do
  convert "$TMP/shot-$part.bmp" "$OUT-$part.png"
  echo "frame-screenshot: $OUT-$part.png"
done
