#!/bin/bash
# Builds the libFuzzer targets with clang and runs each of them, first over its
# seed corpus and then for the given number of seconds (split between targets).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

targets=$(find build/fuzz/tests/fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
if [ -z "$targets" ]; then echo "fuzz.sh: no fuzz targets built"; exit 0; fi
count=$(echo "$targets" | wc -l)
each=$(( seconds / count )); [ "$each" -ge 1 ] || each=1

for target in $targets; do
  name=$(basename "$target")
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  work="build/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work"
  echo "--- $name: ${each}s"
  args=("$work")
  [ -d "$seeds" ] && args+=("$seeds")
  "$target" -max_total_time="$each" -print_final_stats=0 "${args[@]}" 2>&1 | tail -n 3
done
