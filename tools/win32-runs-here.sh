#!/bin/bash
# Whether this machine runs 32-bit Windows code at all: the 32-bit Wine loader
# starts, makes its prefix, and a minimal 32-bit program (runs_here.exe of the
# win32 build, which the caller has built) ends with its own exit code.
# Exit status 0 when it does; else 1, and the reason on standard output.
#
#   PIXMINT_WINE32_LOADER  another 32-bit Wine loader (the runner reads it too)
set -uo pipefail
cd "$(dirname "$0")/.."

loader=${PIXMINT_WINE32_LOADER:-/usr/lib/wine/wine}
status=0
if [ ! -x "$loader" ]; then echo "no 32-bit Wine loader at $loader"; exit 1; fi
if ! out=$("$loader" --version 2>&1); then
  echo "the 32-bit Wine loader does not start: $(tail -n 1 <<<"$out" | sed 's/^.*: line [0-9]*: //')"
  exit 1
fi
out=$(tools/wine-run.sh exec --build-dir build/win32 build/win32/tests/release/runs_here.exe 2>&1) ||
  status=$?
if [ "$status" != 42 ]; then
  echo "a minimal 32-bit program did not run under $loader (exit status $status${out:+: $(tail -n 1 <<<"$out")})"
  exit 1
fi
