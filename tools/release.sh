#!/bin/bash
# 'make release': builds the 32-bit programs from a clean build tree, inspects
# the editor and packs dist/pixmint-VERSION-win32.zip, with dist/SHA256SUMS
# beside it. Prints the archive's path, size and SHA-256.
#
#   release.sh [--build-dir DIR] [--dist DIR]   (defaults: build/release, dist)
#
# The same sources give the same archive, byte for byte, in any folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
dist=dist
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build=${2:?}; shift 2 ;;
    --dist) dist=${2:?}; shift 2 ;;
    *) echo "usage: release.sh [--build-dir DIR] [--dist DIR]" >&2; exit 2 ;;
  esac
done

if ! tools/setup.sh; then
  echo "make release: could not install what building needs" >&2
  exit 1
fi

# A clean tree: nothing of an earlier build or configuration carries over. Only
# a build tree or an empty folder is removed, never a folder of other files.
if [ -e "$build" ] && [ ! -f "$build/CMakeCache.txt" ] && [ ! -f "$build/release-build.log" ] &&
   [ -n "$(ls -A "$build" 2>/dev/null)" ]; then
  echo "make release: $build is not an empty folder or a build tree; not removing it" >&2
  exit 1
fi
rm -rf "$build"
mkdir -p "$build"
log="$build/release-build.log"
echo "=== building the 32-bit release in $build"
if ! { cmake --preset release -B "$build" &&
       cmake --build "$build" -j"$(nproc)" --target pixmint pixmint-convert; } >"$log" 2>&1; then
  cat "$log"
  echo "make release: the build failed" >&2
  exit 1
fi

echo "=== release inspection"
tools/inspect-release.sh "$build/pixmint.exe"
tools/inspect-release.sh --console "$build/pixmint-convert.exe"

echo "=== archive"
python3 tools/release-archive.py "$build" "$dist"
