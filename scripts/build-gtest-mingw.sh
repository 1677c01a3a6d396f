#!/usr/bin/env bash
# build-gtest-mingw.sh OUTDIR
#
# Builds GoogleTest + GoogleMock from Debian's `googletest` package sources (/usr/src/googletest)
# with MinGW-w64 as static libraries for Windows x86_64, and installs them into OUTDIR:
#   OUTDIR/include/{gtest,gmock}/...   OUTDIR/lib/lib{gtest,gtest_main,gmock,gmock_main}.a
#   OUTDIR/lib/cmake/GTest/...         (so find_package(GTest CONFIG) works with -DGTest_DIR=...)
# Uses the project toolchain (cmake/mingw-toolchain.cmake). Idempotent: does nothing if OUTDIR/VERSION matches.  Needs: googletest, cmake, make, g++-mingw-w64-x86-64.
set -euo pipefail
die() { echo "build-gtest-mingw: ERROR: $*" >&2; exit 1; }
[ $# -eq 1 ] || die "usage: $0 OUTDIR"
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TOOLCHAIN=$HERE/../cmake/mingw-toolchain.cmake
SRC=${GTEST_SRC:-/usr/src/googletest}
[ -f "$SRC/CMakeLists.txt" ] || die "$SRC not found (apt-get install googletest)"
for t in cmake make x86_64-w64-mingw32-g++-posix timeout; do command -v "$t" >/dev/null || die "missing tool: $t"; done
mkdir -p "$1"; OUT=$(cd "$1" && pwd)
VER=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo unknown)
STAMP="googletest=$VER cxx=$(x86_64-w64-mingw32-g++-posix -dumpversion)"
if [ -f "$OUT/VERSION" ] && [ "$(cat "$OUT/VERSION")" = "$STAMP" ] && [ -f "$OUT/lib/libgtest.a" ]; then
  echo "build-gtest-mingw: up to date ($STAMP)" >&2; exit 0
fi
BLD=$OUT/.build
rm -rf "$BLD"
timeout 300 cmake -S "$SRC" -B "$BLD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=OFF \
  -DCMAKE_INSTALL_PREFIX="$OUT" >"$OUT/cmake.log" 2>&1 || { tail -30 "$OUT/cmake.log" >&2; die "cmake configure failed"; }
timeout 900 cmake --build "$BLD" -j"$(nproc)" >"$OUT/build.log" 2>&1 || { tail -30 "$OUT/build.log" >&2; die "build failed"; }
timeout 120 cmake --install "$BLD" >>"$OUT/build.log" 2>&1 || die "install failed"
rm -rf "$BLD"
echo "$STAMP" > "$OUT/VERSION"
echo "build-gtest-mingw: done: $OUT/lib/libgtest.a etc." >&2
