#!/usr/bin/env bash
# popup-screenshot.sh [BUILD_DIR] [OUT_PREFIX]
#
# Takes pictures of the skinned popup menus under Wine: builds popup_shot in the windows build
# (default build/windows), runs it through the test emulator (the tray icon's menu open over the
# main window, then the skin's system popup opened from the caption, each with its second item
# selected, then the tray menu again given the night skin while it is open), and converts its three
# pictures to PNG with ImageMagick: OUT_PREFIX-tray.png, OUT_PREFIX-system.png and
# OUT_PREFIX-night.png. OUT_PREFIX defaults to BUILD_DIR/popup.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/popup}
cmake --build "$BUILD" --target popup_shot -j2 >/dev/null
TMP=$(mktemp -d -p "$BUILD")
trap 'rm -rf "$TMP"' EXIT
bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/popup_shot.exe" "Z:$(realpath "$TMP")/shot"
for part in tray system night; do
  convert "$TMP/shot-$part.bmp" "$OUT-$part.png"
  echo "popup-screenshot: $OUT-$part.png"
done
