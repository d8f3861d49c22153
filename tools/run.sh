#!/bin/bash
# Builds the 64-bit program and starts it (under Wine when not on Windows).
set -uo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh || exit 1
program=build/win64/pixmint.exe
mkdir -p build

if ! { cmake --preset win64 >/dev/null && cmake --build --preset win64 --target pixmint -j"$(nproc)"; } >build/run-build.log 2>&1; then
  if ! grep -q "No rule to make target 'pixmint'\|unknown target 'pixmint'" build/run-build.log; then
    tail -n 30 build/run-build.log >&2
    echo "make run: the editor did not build (full output in build/run-build.log)." >&2
    exit 1
  fi
fi
if [ ! -f "$program" ]; then
  echo "make run: the editor is not built yet (no $program)." >&2
  exit 1
fi
exec tools/wine-run.sh exec --build-dir build/win64 "$program"
