#!/usr/bin/env bash
# install-deps.sh [--fuzz] -- install, from Debian 12's archive, everything the two builds, their
# tests and the run script need (with --fuzz also clang and its libFuzzer runtime).  Idempotent:
# installs only what is missing; runs `apt-get update` only if the first attempt fails.  Uses sudo
# when not root.  A fresh machine lacks most of these (~1-3 min when everything is missing).
set -euo pipefail
PKGS=(
  g++ libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev   # the native build

  wine wine64 fonts-wine              # Wine 8 (64-bit only: wine32/i386 not needed for x86_64 .exe)
  fonts-wqy-microhei                  # CJK font the prefix maps SimSun/MS Shell Dlg/... to
  locales                             # /usr/share/i18n sources for localedef zh_CN.UTF-8
  xvfb x11-utils xdotool imagemagick  # headless X, xdpyinfo, input from outside, screenshots
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32
  gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  cmake make googletest               # GoogleTest sources in /usr/src/googletest
  dpkg-dev tcl gcc                    # apt-get source / dpkg-source, tclsh + host cc for the SQLite amalgamation
  python3 iproute2 util-linux         # loopback test servers, ip/unshare for network namespaces, flock
  nsis                                # makensis: the setup program (CPack's NSIS generator)
  unicode-data bzip2                  # the Unihan readings the stop index's pinyin table is made from
)
[ "${1:-}" = --fuzz ] && PKGS+=(clang libclang-rt-14-dev)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then echo "install-deps: all ${#PKGS[@]} packages present"; exit 0; fi
SUDO=()
if [ "$(id -u)" != 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: ERROR: need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  SUDO=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! timeout 900 "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"; then
  timeout 300 "${SUDO[@]}" apt-get update
  timeout 900 "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
for p in "${missing[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || { echo "install-deps: ERROR: $p not installed" >&2; exit 1; }
done
echo "install-deps: done"
