#!/bin/bash
# 'make release-check': the release is reproducible and complete. Copies the
# sources (the files git knows, as they are now) into two temporary folders of
# different names and depths, makes the release in each, and compares the two
# archives and checksum lists byte for byte; then checks the archive's
# contents (tests/release/check_release_archive.py).
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
first=$scratch/one/pixmint
second=$scratch/another-folder/two/pixmint-sources

for copy in "$first" "$second"; do
  mkdir -p "$copy"
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
      tar --null -T - -cf - | tar -xf - -C "$copy"
  else
    tar --exclude=./build --exclude=./dist -cf - . | tar -xf - -C "$copy"
  fi
  echo "=== release in $copy"
  (cd "$copy" && tools/release.sh) >"$copy.log" 2>&1 || { cat "$copy.log"; exit 1; }
  tail -n 3 "$copy.log"
done

echo "=== the two releases compared"
status=0
for file in "$first"/dist/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$second/dist/$name"; then
    echo "  $name: identical"
  else
    echo "  $name: DIFFERS"
    status=1
  fi
done
if [ "$status" != 0 ]; then
  diff "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" || true
  echo "make release-check: the two releases differ" >&2
  exit 1
fi

echo "=== the archive's contents"
python3 tests/release/check_release_archive.py "$first/dist"
