#!/usr/bin/env bash
# form-screenshot.sh [BUILD_DIR] [OUT.png]
#
# Takes a picture of the widget layer's showcase form (every control kind) under Wine: builds
# form_showcase in the windows build (default build/windows), runs it through the test emulator,
# which saves the form's screen area as BMP, and converts that to PNG (default
# BUILD_DIR/form-showcase.png) with ImageMagick.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${1:-build/windows}
OUT=${2:-$BUILD/form-showcase.png}
cmake --build "$BUILD" --target form_showcase -j2 >/dev/null
BMP=$(mktemp --suffix=.bmp -p "$BUILD")
trap 'rm -f "$BMP"' EXIT
bash "$HERE/wine-test.sh" "$BUILD/wine" "$BUILD/bin/form_showcase.exe" "Z:$(realpath "$BMP")"
convert "$BMP" "$OUT"
echo "form-screenshot: $OUT"
