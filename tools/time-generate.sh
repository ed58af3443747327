#!/usr/bin/env bash
# Times one run of the data tree generator into a fresh folder and reports
# the tree's size: tools/time-generate.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
start=$(date +%s.%N)
"$build/bin/velamo-datagen" --output "$out/tree" >/dev/null
end=$(date +%s.%N)
files=$(find "$out/tree" -type f | wc -l)
bytes=$(du -sb "$out/tree" | cut -f1)
printf 'files %d, %.1f MB (%.1f MiB), %.1f s\n' "$files" "$(echo "$bytes / 1000000" | bc -l)" \
  "$(echo "$bytes / 1048576" | bc -l)" "$(echo "$end - $start" | bc -l)"
