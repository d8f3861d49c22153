#!/bin/bash
# Installs what is missing, builds the three builds and runs every test:
# the portable core natively under ASan/UBSan, everything under 64-bit Wine,
# the 32-bit release inspected, and a short fuzzing run. Prints a summary.
set -uo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
# Builds started from 'make test' need not announce every directory they enter.
export MAKEFLAGS=--no-print-directory
declare -a names=() results=() times=()
failed=0

stage() {   # stage NAME COMMAND...
  local name=$1; shift
  local start=$SECONDS
  echo "=== $name"
  if "$@"; then results+=("ok"); else results+=("FAILED"); failed=1; fi
  names+=("$name"); times+=("$((SECONDS - start))s")
}

native() {
  cmake --preset native >/dev/null &&
  cmake --build --preset native -j"$jobs" &&
  ctest --preset native
}

# The same portable tests once more without sanitizers, under valgrind's memcheck.
valgrind_core() {
  cmake --preset native-plain >/dev/null &&
  cmake --build --preset native-plain -j"$jobs" --target core_tests &&
  valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
    build/native-plain/tests/core_tests --gtest_brief=1
}

win64() {
  cmake --preset win64 >/dev/null &&
  cmake --build --preset win64 -j"$jobs" || return 1
  tools/wine-run.sh start --build-dir build/win64 || return 1
  local status=0
  ctest --preset win64 || status=$?
  tools/wine-run.sh stop --build-dir build/win64
  return $status
}

win32() {
  cmake --preset win32 >/dev/null &&
  cmake --build --preset win32 -j"$jobs" &&
  if [ -x tools/inspect-release.sh ]; then tools/inspect-release.sh build/win32/pixmint.exe; fi
}

fuzz() {
  tools/fuzz.sh "${PIXMINT_FUZZ_SECONDS:-45}"
}

if ! tools/setup.sh; then
  echo "make test: could not install what building needs" >&2
  exit 1
fi

stage "native build and tests (ASan, UBSan)" native
stage "native tests under valgrind" valgrind_core
stage "win64 build and tests under Wine" win64
stage "win32 release build" win32
stage "fuzzing" fuzz

echo
echo "=== Summary"
for i in "${!names[@]}"; do
  printf '  %-42s %-7s %s\n' "${names[$i]}" "${results[$i]}" "${times[$i]}"
done
exit $failed
