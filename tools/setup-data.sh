#!/usr/bin/env bash
# Prepares a data directory for the logger: copies the companion files the program reads
# by plain name (rules documents, bitmaps) when they are missing. Never overwrites a file
# the user already has.
set -euo pipefail
dir="${1:-data}"
src="$(cd "$(dirname "$0")/.." && pwd)/resources/data"
mkdir -p "$dir"
if [ -d "$src" ]; then
  for f in "$src"/*; do
    [ -e "$f" ] || continue
    name="$(basename "$f")"
    [ -e "$dir/$name" ] || cp "$f" "$dir/$name"
  done
fi
