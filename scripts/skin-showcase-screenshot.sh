#!/usr/bin/env bash
# skin-showcase-screenshot.sh [BUILD_DIR] [OUT_DIR] [--night]
#
# Takes pictures of the widget layer's showcase forms skinned, under Wine: builds skin_showcase in
# the windows build (default build/windows), runs it through the test emulator once per page (each
# run saves the skinned form's screen area as BMP) and converts the pictures to PNG with
# ImageMagick, into OUT_DIR (default BUILD_DIR): skin-showcase.png (the main window's kinds),
# skin-showcase-kinds.png, skin-showcase-states.png and skin-showcase-box.png (a message box);
# with --night the same pages in the night skin, named skin-showcase-night*.png.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD}
SKIN=()
SUFFIX=
if [[ "${3:-}" == --night ]]; then
  SKIN=(--night)
  SUFFIX=-night
fi
cmake --build "$BUILD" --target skin_showcase -j2 >/dev/null
mkdir -p "$OUT"
BMP=$(mktemp --suffix=.bmp -p "$BUILD")
trap 'rm -f "$BMP"' EXIT
shoot() {  # shoot NAME [PAGE]
  local png="$OUT/skin-showcase$SUFFIX$1.png"
  bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/skin_showcase.exe" "${SKIN[@]}" "${@:2}" "Z:$(realpath "$BMP")"
  convert "$BMP" "$png"
  echo "skin-showcase-screenshot: $png"
}
shoot ""
shoot -kinds --kinds
shoot -states --states
shoot -box --box
