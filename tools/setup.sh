#!/bin/sh
# Installs the Debian packages that building and testing Pixmint need, and only
# those that are missing. Silent when everything is already there.
# 'setup.sh convert' installs only what 'make convert' needs.
#
# The 32-bit release runs its tests under 32-bit Wine, which comes from the
# i386 architecture: it is added to dpkg once, before the first install.
set -eu

PACKAGES="
  make cmake g++ clang python3 libclang-rt-14-dev googletest valgrind libgdk-pixbuf-2.0-dev zlib1g-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine
  xvfb xdotool x11-utils imagemagick fonts-terminus-otb groff-base
"
if [ "${1:-}" = convert ]; then
  PACKAGES="make cmake g++ pkg-config libgdk-pixbuf-2.0-dev zlib1g-dev"
fi

missing=""
for package in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root="sudo"
else
  echo "tools/setup.sh: these packages are missing:$missing" >&2
  echo "tools/setup.sh: installing them needs root; run 'sudo make ${1:-test}' once, or install them yourself." >&2
  exit 1
fi

echo "tools/setup.sh: installing$missing"
export DEBIAN_FRONTEND=noninteractive
if [ "${1:-}" != convert ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $as_root dpkg --add-architecture i386
fi
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq $missing >/dev/null
