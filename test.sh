#!/usr/bin/env bash
# ./test.sh -- install what is missing, build both builds, run every test.
#   native:  the portable code with AddressSanitizer and UBSan
#   windows: the product and its tests under Wine (private prefix and display in build/windows/wine)
# Ends with CTest's summary of the windows suite; the exit status is non-zero if any step failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
bash scripts/install-deps.sh || exit 1

status=0
step() { echo "== $*"; "$@" || { status=1; return 1; }; }

step cmake --preset native && step cmake --build --preset native
native_built=$?
step cmake --preset windows && step cmake --build --preset windows
windows_built=$?

[ "$native_built" = 0 ] && { step ctest --preset native || true; }
[ "$windows_built" = 0 ] && { step ctest --preset windows || true; }
[ "$status" = 0 ] && echo "test.sh: all builds and tests passed" || echo "test.sh: FAILED (see above)"
exit "$status"
