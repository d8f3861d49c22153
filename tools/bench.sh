#!/bin/bash
# make bench: times the release, the 32-bit program, under Wine (the 64-bit
# build where 32-bit code does not run here), each figure next to a minimal
# Win32 program doing the nearest equivalent in the same run, and reports the
# size of the 32-bit release program. First it times the optimized native
# pixmint-convert ('make convert') next to ImageMagick on a 12-megapixel photo
# (tools/bench-convert.py).
#
#   PIXMINT_BENCH_BUILD    build tree to time         (default build/win32, or
#                                                      build/win64 as said above)
#   PIXMINT_BENCH_RELEASE  32-bit build tree to use   (default build/win32)
#   PIXMINT_BENCH_RUNS     program starts per figure  (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."

release=${PIXMINT_BENCH_RELEASE:-build/win32}
runs=${PIXMINT_BENCH_RUNS:-5}
jobs=$(nproc)
title="Pixmint v0.2b by Tovren (logo size: x=101, y=29; screensaver size: x=101, y=49)"
targets=(pixmint bench_editor bench_start bench_minimal_dialog)

tools/setup.sh
cmake --preset convert >/dev/null
cmake --build --preset convert -j"$jobs" >/dev/null
tools/bench-convert.py --runs "$runs"
echo
[ -f "$release/CMakeCache.txt" ] || cmake --preset win32 -B "$release" >/dev/null
cmake --build "$release" -j"$jobs" --target "${targets[@]}" runs_here >/dev/null
if [ -n "${PIXMINT_BENCH_BUILD:-}" ]; then
  build=$PIXMINT_BENCH_BUILD
elif reason=$(tools/win32-runs-here.sh); then
  build=$release
else
  echo "make bench: $reason; timing the 64-bit build instead of the release." >&2
  build=build/win64
fi
if [ "$build" != "$release" ]; then
  [ -f "$build/CMakeCache.txt" ] || cmake --preset win64 -B "$build" >/dev/null
  cmake --build "$build" -j"$jobs" --target "${targets[@]}" >/dev/null
fi
kind=$(file -b "$build/pixmint.exe" | grep -q 'PE32+' && echo 64-bit || echo "32-bit release")

build=$(cd "$build" && pwd)
wine_path() { echo "Z:${1//\//\\}"; }

# Use a running Wine session of the build tree, or start one and stop it after.
started=0
if ! tools/wine-run.sh env --build-dir "$build" >/dev/null 2>&1; then
  tools/wine-run.sh start --build-dir "$build"
  started=1
fi
scratch=$(mktemp -d)
cleanup() {
  rm -rf "$scratch"
  if [ "$started" = 1 ]; then tools/wine-run.sh stop --build-dir "$build"; fi
}
trap cleanup EXIT

run() { (cd "$scratch" && "$OLDPWD/tools/wine-run.sh" exec --build-dir "$build" "$@"); }

read -r editor_shown editor_ended < <(run "$build/bench/bench_start.exe" \
  "$(wine_path "$build/pixmint.exe")" "$title" "$runs")
read -r minimal_shown minimal_ended < <(run "$build/bench/bench_start.exe" \
  "$(wine_path "$build/bench/bench_minimal_dialog.exe")" "Pixmint bench: minimal dialog" "$runs")
operations=$(run "$build/bench/bench_editor.exe" "$(wine_path "$scratch")")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
echo
echo "Pixmint benchmark, $kind ($build/pixmint.exe) under Wine ($(/usr/lib/wine/wine64 --version 2>/dev/null || echo wine)),"
echo "median of $runs program starts and of 9 rounds of repeated calls."
echo
printf '%-34s %12s %12s %10s\n' "start-up" "editor ms" "baseline ms" "ratio"
printf '%-34s %12s %12s %10s\n' "start to main window shown" "$editor_shown" "$minimal_shown" \
  "$(ratio "$editor_shown" "$minimal_shown")"
printf '%-34s %12s %12s %10s\n' "close to process ended" "$editor_ended" "$minimal_ended" \
  "$(ratio "$editor_ended" "$minimal_ended")"
echo
echo "$operations"
echo
echo "Baselines: a dialog from a template, shown and closed (start-up); one brush"
echo "and one FillRect over the canvas through a window DC (repaint, mouse move);"
echo "the same bytes written or read with CreateFile/WriteFile/ReadFile (Save, Load)."
echo "Load is the load steps after the file chooser, without the repaint that follows."
echo
printf 'Release program %s: %s bytes\n' "$release/pixmint.exe" "$(stat -c %s "$release/pixmint.exe")"
