#!/usr/bin/env bash
# Draws the artwork twice into scratch folders and compares both runs, byte
# for byte, with each other and with the committed files.
# Usage: check_assets.sh SKIN_GENERATOR ASSETS_FOLDER
set -euo pipefail
generator=$1
assets=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$generator" "$scratch/first"
"$generator" "$scratch/second"

status=0
count=0
for file in $(cd "$scratch/first" && find . -type f | sort); do
  count=$((count + 1))
  if ! cmp -s "$scratch/first/$file" "$scratch/second/$file"; then
    echo "not deterministic: $file"
    status=1
  fi
  if ! cmp -s "$scratch/first/$file" "$assets/$file"; then
    echo "out of date (regenerate with skin_generator $assets): ${file#./}"
    status=1
  fi
done
# Committed files the generator no longer writes are stale too.
for folder in skin cursors icon; do
  for file in $(cd "$assets" && find "$folder" -type f | sort); do
    [ -e "$scratch/first/$file" ] || { echo "not drawn by the generator: $file"; status=1; }
  done
done
[ "$count" -gt 0 ] || { echo "the generator wrote nothing"; exit 1; }
[ "$status" -eq 0 ] && echo "$count asset files up to date"
exit "$status"
