#!/bin/bash
# Builds the 64-bit program and starts it (under Wine when not on Windows).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target pixmint -j"$(nproc)" >/dev/null 2>&1 || true
program=build/win64/pixmint.exe
if [ ! -f "$program" ]; then
  echo "make run: the editor is not built yet (no $program)." >&2
  exit 1
fi
exec tools/wine-run.sh exec --build-dir build/win64 "$program"
