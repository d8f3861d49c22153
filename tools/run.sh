#!/bin/bash
# Builds the release, the 32-bit program, and starts it under Wine; on a
# machine that cannot run 32-bit Windows code, the 64-bit program instead.
# Either way it says which one runs.
#
# With no display (DISPLAY unset, as on a server or in a container) the editor
# runs on a virtual screen that nobody can see: this says so, and while the
# editor runs it keeps a screenshot of that screen up to date in
# build/run-screen.png.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh || exit 1
runner=tools/wine-run.sh
mkdir -p build

# build PRESET TARGET...: quietly, with the output in build/run-build.log.
build() {
  local preset=$1
  shift
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j"$(nproc)" --target "$@"; } \
    >build/run-build.log 2>&1
}

preset=win32
if ! build win32 pixmint runs_here; then
  tail -n 30 build/run-build.log >&2
  echo "make run: the release did not build (full output in build/run-build.log)." >&2
  exit 1
fi
if reason=$(tools/win32-runs-here.sh); then
  echo "make run: starting the release, build/win32/pixmint.exe (32-bit), under Wine." >&2
else
  echo "make run: $reason;" >&2
  echo "make run: starting the 64-bit build, build/win64/pixmint.exe, instead of the release." >&2
  preset=win64
fi
build_dir=build/$preset
program=$build_dir/pixmint.exe

if [ "$preset" = win64 ] && ! build win64 pixmint; then
  tail -n 30 build/run-build.log >&2
  echo "make run: the editor did not build (full output in build/run-build.log)." >&2
  exit 1
fi
if [ ! -f "$program" ]; then
  echo "make run: the editor is not built yet (no $program)." >&2
  exit 1
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$runner" exec --build-dir "$build_dir" "$program"
fi

screenshot=build/run-screen.png
cat >&2 <<MESSAGE
make run: there is no display (DISPLAY is not set), so the editor runs on a
virtual screen (Xvfb) that you cannot see. A screenshot of that screen is
written to $screenshot every 2 seconds while the editor runs.
To see and use the editor, run 'make run' from a desktop session, or set
DISPLAY to an X server you can see (for example: DISPLAY=:0 make run).
Press Ctrl+C to end the editor.
MESSAGE

"$runner" start --build-dir "$build_dir" || exit 1
display=$("$runner" env --build-dir "$build_dir" | sed -n 's/.*DISPLAY=\([^ ]*\).*/\1/p')
stop_session() { "$runner" stop --build-dir "$build_dir"; }
trap 'kill "$editor_pid" 2>/dev/null; wait "$editor_pid" 2>/dev/null; stop_session; exit 130' INT TERM

"$runner" exec --build-dir "$build_dir" "$program" &
editor_pid=$!
while kill -0 "$editor_pid" 2>/dev/null; do
  # Written beside the final name and moved, so that a viewer never reads half a file.
  DISPLAY=$display import -window root "$screenshot.part.png" 2>/dev/null &&
    mv -f "$screenshot.part.png" "$screenshot"
  sleep 2
done
status=0
wait "$editor_pid" || status=$?
stop_session
echo "make run: the editor ended (exit code $status); its last screen is in $screenshot." >&2
exit "$status"
