#!/bin/bash
# Runs Windows programs of a build tree under Wine, with a private prefix kept
# in that build tree. The build tree's bitness (PIXMINT_WINEARCH in the
# CMakeCache.txt of DIR or of a folder above it) picks the loader and the
# prefix: the 32-bit build runs under the 32-bit loader in a 32-bit prefix.
#
#   wine-run.sh start --build-dir DIR          prefix, X display, persistent wineserver
#   wine-run.sh stop  --build-dir DIR          stops exactly what 'start' started
#   wine-run.sh exec  --build-dir DIR PROGRAM [ARGS...]
#   wine-run.sh env   --build-dir DIR          prints the environment a session uses
#
# 'exec' inside a started session uses it; outside one it starts what it needs
# and stops it again afterwards. An X server (Xvfb) is started only when no
# DISPLAY is set. The exit status of 'exec' is the Windows program's own.
set -euo pipefail

die() { echo "wine-run.sh: $*" >&2; exit 2; }

command=${1:-}; shift || true
[ "${1:-}" = "--build-dir" ] || die "usage: wine-run.sh start|stop|exec|env --build-dir DIR [PROGRAM ARGS...]"
build_dir=$(cd "$2" && pwd); shift 2

# win32 or win64, from the nearest CMake cache; win64 when there is none.
build_arch() {
  local dir=$build_dir
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      sed -n 's/^PIXMINT_WINEARCH:[A-Z]*=//p' "$dir/CMakeCache.txt" | grep . || echo win64
      return
    fi
    dir=$(dirname "$dir")
  done
  echo win64
}
arch=${PIXMINT_WINEARCH:-$(build_arch)}
case "$arch" in
  win32) default_loader=${PIXMINT_WINE32_LOADER:-/usr/lib/wine/wine} ;;
  win64) default_loader=/usr/lib/wine/wine64 ;;
  *) die "unknown Wine architecture '$arch'" ;;
esac
WINE_LOADER=${PIXMINT_WINE_LOADER:-$default_loader}
WINE_SERVER=${PIXMINT_WINE_SERVER:-}
if [ -z "$WINE_SERVER" ]; then
  # The 64-bit server serves 32-bit programs as well.
  for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32 /usr/lib/wine/wineserver \
                   /usr/bin/wineserver; do
    if [ -x "$candidate" ]; then WINE_SERVER=$candidate; break; fi
  done
fi

state_dir="$build_dir/wine"
prefix="$state_dir/prefix"
session="$state_dir/session"
mkdir -p "$state_dir"

export WINEPREFIX="$prefix"
export WINEARCH=$arch
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

[ -x "$WINE_LOADER" ] || die "no Wine loader for $arch at $WINE_LOADER (run tools/setup.sh)"

# Reads the session file, if any, into XVFB_PID / SESSION_DISPLAY / SERVER_STARTED / OWNER.
load_session() {
  XVFB_PID=""; SESSION_DISPLAY=""; SERVER_STARTED=0; OWNER=""
  # shellcheck disable=SC1090
  [ -f "$session" ] && . "$session"
  return 0
}

session_alive() {
  load_session
  [ -f "$session" ] || return 1
  if [ -n "$XVFB_PID" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then return 1; fi
  return 0
}

start_xvfb() {
  local fd_file="$state_dir/displayfd"
  rm -f "$fd_file"
  # A full-HD screen: the main window at 150 % display scale is wider than 1280.
  Xvfb -displayfd 9 -screen 0 1920x1200x24 -nolisten tcp -noreset 9>"$fd_file" </dev/null >/dev/null 2>&1 7>&- 8>&- &
  XVFB_PID=$!
  for _ in $(seq 1 200); do
    if [ -s "$fd_file" ]; then break; fi
    kill -0 "$XVFB_PID" 2>/dev/null || die "Xvfb did not start"
    sleep 0.05
  done
  [ -s "$fd_file" ] || die "Xvfb did not report its display"
  SESSION_DISPLAY=":$(tr -d '[:space:]' <"$fd_file")"
}

make_prefix() {
  if [ -f "$prefix/system.reg" ] && ! grep -qx "#arch=$arch" "$prefix/system.reg"; then
    die "the prefix $prefix is not a $arch prefix; remove it to have it made again"
  fi
  if [ ! -f "$prefix/system.reg" ]; then
    "$WINE_LOADER" wineboot -i </dev/null >/dev/null 2>&1 7>&- 8>&- || true
    "$WINE_SERVER" -w
    [ -f "$prefix/system.reg" ] || die "could not make a Wine prefix in $prefix"
  fi
}

# A start that fails half-way (no loader that runs, no prefix) stops the X
# server and the Wine server it had started before the script ends.
abandon_start() {
  "$WINE_SERVER" -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

# $1: "explicit" for 'start', "implicit" for a session that 'exec' opens for itself.
do_start() {
  exec 8>"$state_dir/lock"
  flock 8
  if session_alive; then flock -u 8; return 0; fi
  XVFB_PID=""; SESSION_DISPLAY="${DISPLAY:-}"
  # No session is alive, so whatever serves this prefix from here on is ours.
  trap abandon_start EXIT
  trap 'exit 130' INT TERM HUP
  if [ -z "$SESSION_DISPLAY" ]; then start_xvfb; fi
  export DISPLAY="$SESSION_DISPLAY"
  make_prefix
  # The server outlives this script: it must not hold our output or our locks.
  "$WINE_SERVER" -p </dev/null >/dev/null 2>&1 7>&- 8>&-
  # Start Wine's own background processes now, detached from our output, so
  # that no test program's caller waits on them.
  "$WINE_LOADER" wineboot </dev/null >/dev/null 2>&1 7>&- 8>&- || true
  printf 'XVFB_PID=%s\nSESSION_DISPLAY=%s\nSERVER_STARTED=1\nOWNER=%s\n' \
    "$XVFB_PID" "$SESSION_DISPLAY" "$1" >"$session"
  trap - EXIT INT TERM HUP
  flock -u 8
}

do_stop() {
  load_session
  [ -f "$session" ] || return 0
  if [ "$SERVER_STARTED" = 1 ]; then "$WINE_SERVER" -k 2>/dev/null || true; "$WINE_SERVER" -w 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  rm -f "$session"
}

case "$command" in
  start) do_start explicit ;;
  stop) do_stop ;;
  env)
    session_alive || die "no session running for $build_dir"
    printf 'export WINEPREFIX=%q WINEARCH=%q WINEDEBUG=%q WINEDLLOVERRIDES=%q DISPLAY=%q\n' \
      "$WINEPREFIX" "$WINEARCH" "$WINEDEBUG" "$WINEDLLOVERRIDES" "$SESSION_DISPLAY" ;;
  exec)
    [ $# -ge 1 ] || die "exec needs a program"
    session_alive || do_start implicit
    load_session
    export DISPLAY="$SESSION_DISPLAY"
    # Every program holds a shared lock while it runs; a session that 'exec'
    # opened for itself is stopped by the last program to leave it.
    exec 7>"$state_dir/users"
    flock -s 7
    leave() {
      flock -u 7
      if [ "$OWNER" = implicit ] && flock -xn 7; then do_stop; fi
    }
    # Interrupted (Ctrl+C, a test's timeout): end the program and what we started.
    trap 'kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null || true; leave; exit 130' INT TERM HUP
    "$WINE_LOADER" "$@" &
    program_pid=$!
    status=0
    wait "$program_pid" || status=$?
    leave
    exit "$status" ;;
  *) die "unknown command '$command'" ;;
esac
