#!/usr/bin/env bash
# form-screenshot.sh [BUILD_DIR] [OUT.png]
#
# Takes pictures of the widget layer's showcase forms under Wine: builds form_showcase in the
# windows build (default build/windows), runs it through the test emulator, which saves the form's
# screen area as BMP, and converts that to PNG with ImageMagick: the main window's kinds as OUT.png
# (default BUILD_DIR/form-showcase.png), the further kinds beside it as OUT-kinds.png.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/form-showcase.png}
cmake --build "$BUILD" --target form_showcase -j2 >/dev/null
BMP=$(mktemp --suffix=.bmp -p "$BUILD")
trap 'rm -f "$BMP"' EXIT
shoot() {  # shoot OUT.png [--kinds]
  bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/form_showcase.exe" "${@:2}" "Z:$(realpath "$BMP")"
  convert "$BMP" "$1"
  echo "form-screenshot: $1"
}
shoot "$OUT"
shoot "${OUT%.png}-kinds.png" --kinds
