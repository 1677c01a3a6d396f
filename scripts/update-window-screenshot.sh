#!/usr/bin/env bash
# update-window-screenshot.sh [BUILD_DIR] [OUT_PREFIX]
#
# Takes pictures of the route database updater's window under Wine: builds update_window_shot in
# the windows build (default build/windows), runs it through the test emulator (a loopback server
# offers a newer Xi'an route file), and converts its three pictures to PNG with ImageMagick:
# OUT_PREFIX-progress.png (half of the file arrived), -done.png (updated), -failed.png (a wrong
# digest). OUT_PREFIX defaults to BUILD_DIR/update-window.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/update-window}
cmake --build "$BUILD" --target update_window_shot -j2 >/dev/null
TMP=$(mktemp -d -p "$BUILD")
trap 'rm -rf "$TMP"' EXIT
bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/update_window_shot.exe" "Z:$(realpath "$TMP")/shot"
for part in progress done failed; do
  convert "$TMP/shot-$part.bmp" "$OUT-$part.png"
  echo "update-window-screenshot: $OUT-$part.png"
done
