#!/bin/bash
# A start of tools/wine-run.sh that fails half-way (here: a Wine loader that
# cannot run, as on a kernel that refuses 32-bit programs) leaves nothing
# running: every process it started carries its prefix in its environment.
set -u
runner=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
env -u DISPLAY PIXMINT_WINE_LOADER=/bin/false "$runner" start --build-dir "$dir" 2>/dev/null &&
  { echo "the start did not fail"; exit 1; }
[ -s "$dir/wine/displayfd" ] || { echo "no X server was started: nothing tested"; exit 1; }
left=$(grep -las "WINEPREFIX=$dir/wine/prefix" /proc/[0-9]*/environ)
[ -z "$left" ] || { echo "still running: $left"; exit 1; }
[ ! -f "$dir/wine/session" ] || { echo "a session was recorded"; exit 1; }
