#!/usr/bin/env bash
# menu-screenshot.sh [BUILD_DIR] [OUT_PREFIX]
#
# Takes pictures of the skinned menu bar and of MDI windows under Wine: builds menu_shot in the
# windows build (default build/windows), runs it through the test emulator (a form with a menu bar
# whose File menu and its Recent sub-menu are open; an MDI frame with two child forms), and converts
# its pictures to PNG with ImageMagick: OUT_PREFIX-menu.png (cut to the form and its menus),
# OUT_PREFIX-mdi.png and OUT_PREFIX-mdi-maximized.png (the active child maximised). OUT_PREFIX
# defaults to BUILD_DIR/menu.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/menu}
cmake --build "$BUILD" --target menu_shot -j2 >/dev/null
TMP=$(mktemp -d -p "$BUILD")
trap 'rm -rf "$TMP"' EXIT
bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/menu_shot.exe" "Z:$(realpath "$TMP")/shot"
convert "$TMP/shot-menu.bmp" -crop "$(cat "$TMP/shot-menu.bmp.crop")" +repage "$OUT-menu.png"
echo "menu-screenshot: $OUT-menu.png"
for part in mdi mdi-maximized; do
  convert "$TMP/shot-$part.bmp" "$OUT-$part.png"
  echo "menu-screenshot: $OUT-$part.png"
done
