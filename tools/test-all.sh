#!/bin/bash
# Installs what is missing, builds every build and runs every test: the
# portable core natively under ASan/UBSan and under valgrind, the optimized
# converter of 'make convert' against the test build and installed into a
# temporary folder, everything under 64-bit Wine and again, with the release
# itself, under 32-bit Wine, a short fuzzing run, and the release archive made
# twice in two folders and compared ('make release-check'). Prints a summary.
#
# The two Wine test runs spend most of their time waiting for Wine and the
# X server, so they run beside the other stages, each with a display, a Wine
# server and a log of its own (build/test-win64.log, build/test-win32.log,
# printed in full when the run fails).
#
# A machine that cannot run 32-bit Windows code skips the 32-bit tests, with
# the reason in the summary; PIXMINT_REQUIRE_WIN32=1 makes that a failure.
# PIXMINT_WINE32_LOADER names another 32-bit Wine loader (the runner reads it).
set -uo pipefail
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
cd "$(dirname "$0")/.."

jobs=$(nproc)
# Builds started from 'make test' need not announce every directory they enter.
export MAKEFLAGS=--no-print-directory
declare -a names=() results=() times=() counts=()
declare -A pids=() starts=() logs=() slots=()
failed=0
mkdir -p build

# The number of tests a stage's log reports: ctest's, GoogleTest's or Python's.
test_count() {
  local n
  n=$(grep -o 'tests failed out of [0-9]*' "$1" | tail -n 1 | grep -o '[0-9]*$')
  [ -n "$n" ] || n=$(grep -o '^\[==========\] [0-9]* tests\? from' "$1" | tail -n 1 | grep -o '[0-9][0-9]*')
  [ -n "$n" ] || n=$(grep -o '^Ran [0-9]* tests\? in' "$1" | tail -n 1 | grep -o '[0-9][0-9]*')
  case "$n" in "") ;; 1) echo "1 test" ;; *) echo "$n tests" ;; esac
}

record() {  # record SLOT RESULT SECONDS LOG
  results[$1]=$2
  times[$1]="${3}s"
  counts[$1]=$(test_count "$4")
  if [ "$2" = FAILED ]; then failed=1; fi
}

stage() {   # stage NAME COMMAND...   (output on the terminal and in a log)
  local name=$1; shift
  local start=$SECONDS slot=${#names[@]} log="build/test-${#names[@]}.log" status=0
  names+=("$name")
  echo "=== $name"
  "$@" 2>&1 | tee "$log" || status=$?
  if [ "$status" = 0 ]; then record "$slot" ok $((SECONDS - start)) "$log"
  else record "$slot" FAILED $((SECONDS - start)) "$log"; fi
}

stage_begin() {  # stage_begin KEY NAME ARGS...   (runs "test-all.sh --alone ARGS" beside what follows)
  local key=$1 name=$2; shift 2
  slots[$key]=${#names[@]}
  logs[$key]="build/test-$key.log"
  starts[$key]=$(date +%s)
  names+=("$name")
  results[${slots[$key]}]=running
  echo "=== $name: started beside the next stages (log in ${logs[$key]})"
  # A session of its own, so that an interruption can end the whole run.
  rm -f "${logs[$key]}.end"
  setsid "$self" --alone "$@" >"${logs[$key]}" 2>&1 </dev/null &
  pids[$key]=$!
}

stage_end() {  # stage_end KEY
  local key=$1 status=0 slot=${slots[$1]} end
  wait "${pids[$key]}" || status=$?
  unset "pids[$key]"
  end=$(cat "${logs[$key]}.end" 2>/dev/null || date +%s)
  echo "=== ${names[$slot]}: $([ "$status" = 0 ] && echo ok || echo FAILED)"
  if [ "$status" = 0 ]; then
    grep -E 'tests passed|Total Test time' "${logs[$key]}"
    record "$slot" ok $((end - ${starts[$key]})) "${logs[$key]}"
  else
    cat "${logs[$key]}"
    record "$slot" FAILED $((end - ${starts[$key]})) "${logs[$key]}"
  fi
}

# Ctrl+C or a kill: end the runs beside us and the Wine sessions they opened.
interrupted() {
  for key in "${!pids[@]}"; do
    kill -TERM -- "-${pids[$key]}" 2>/dev/null
    wait "${pids[$key]}" 2>/dev/null
    for dir in "build/$key" "build/$key/e2e"; do
      [ -d "$dir/wine" ] && tools/wine-run.sh stop --build-dir "$dir"
    done
  done
  exit 130
}

row() {  # row NAME RESULT NOTE   (a stage that did not run)
  local slot=${#names[@]}
  names+=("$1"); results[$slot]=$2; times[$slot]="0s"; counts[$slot]="($3)"
  if [ "$2" = FAILED ]; then failed=1; fi
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

build() {  # build PRESET
  cmake --preset "$1" >/dev/null &&
  cmake --build --preset "$1" -j"$jobs"
}

# 'make convert': the same bytes as the test build, and 'make install' and
# 'make uninstall' into a temporary DESTDIR.
optimized_converter() {
  build convert &&
  python3 -B tests/convert/test_install.py --optimized build/convert/pixmint-convert \
    --reference build/native/pixmint-convert
}

win32_build() {
  build win32 &&
  if [ -x tools/inspect-release.sh ]; then
    tools/inspect-release.sh build/win32/pixmint.exe &&
    tools/inspect-release.sh --console build/win32/pixmint-convert.exe
  fi
}

# The tests of a Windows build under Wine, in a session of their own; notes
# the time it ends for the summary.
wine_tests() {  # wine_tests PRESET
  local status=0
  if tools/wine-run.sh start --build-dir "build/$1"; then
    ctest --preset "$1" || status=$?
    tools/wine-run.sh stop --build-dir "build/$1"
  else
    status=1
  fi
  date +%s >"build/test-$1.log.end"
  return $status
}

# Whether this machine runs 32-bit Windows code at all; prints the reason when not.
win32_runs_here() {
  tools/win32-runs-here.sh
}

if [ "${1:-}" = --alone ]; then  # one stage that runs beside the others
  shift
  "$@"
  exit
fi
trap interrupted INT TERM

if ! tools/setup.sh; then
  echo "make test: could not install what building needs" >&2
  exit 1
fi

# The Windows builds come first, so that their Wine test runs overlap with the
# native stages' compiling and computing.
stage "win64 build" build win64
if [ "${results[-1]}" = ok ]; then
  stage_begin win64 "win64 tests under Wine" wine_tests win64
fi
stage "win32 build and release inspection" win32_build
if [ "${results[-1]}" = ok ]; then
  echo "=== can this machine run 32-bit Windows programs?"
  check_start=$(date +%s)
  if reason=$(win32_runs_here); then
    stage_begin win32 "win32 tests under 32-bit Wine" wine_tests win32
    starts[win32]=$check_start
  elif [ "${PIXMINT_REQUIRE_WIN32:-0}" = 1 ]; then
    echo "make test: $reason, and PIXMINT_REQUIRE_WIN32=1 asks for the 32-bit tests"
    row "win32 tests under 32-bit Wine" FAILED "$reason; PIXMINT_REQUIRE_WIN32=1"
  else
    echo "make test: $reason; the 32-bit tests are skipped"
    row "win32 tests under 32-bit Wine" SKIPPED "$reason"
  fi
fi
stage "native build and tests (ASan, UBSan)" native
stage "native tests under valgrind" valgrind_core
stage "optimized converter, install" optimized_converter
stage "fuzzing" tools/fuzz.sh "${PIXMINT_FUZZ_SECONDS:-45}"
stage "release built twice, compared" tools/release-check.sh
for key in win64 win32; do
  if [ -n "${pids[$key]:-}" ]; then stage_end "$key"; fi
done

echo
echo "=== Summary"
for i in "${!names[@]}"; do
  printf '  %-38s %-7s %5s  %s\n' "${names[$i]}" "${results[$i]}" "${times[$i]:-}" "${counts[$i]:-}"
done
exit $failed
