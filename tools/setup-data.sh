#!/usr/bin/env bash
# Prepares a data directory for the logger: copies the companion files the program reads
# by plain name (rules documents, bitmaps) when they are missing, and, when the prefix table
# and the call book are still empty, fills them from the country files of Debian's
# hamradio-files (cty.csv, WAG_call_history.txt) with tarvik-tool. Never overwrites a file
# or a table the user already has.
#
# usage: setup-data.sh [DATA_DIR] [TARVIK_TOOL]
set -euo pipefail
dir="${1:-data}"
tool="${2:-}"
src="$(cd "$(dirname "$0")/.." && pwd)/resources/data"
mkdir -p "$dir"
if [ -d "$src" ]; then
  for f in "$src"/*; do
    [ -e "$f" ] || continue
    name="$(basename "$f")"
    [ -e "$dir/$name" ] || cp "$f" "$dir/$name"
  done
fi
if [ -n "$tool" ] && [ -x "$tool" ]; then
  "$tool" import-cty --if-empty --data "$dir" ||
    echo "setup-data: no country data imported; the program will ask for a country file" >&2
  "$tool" import-dok-history --if-empty --data "$dir" ||
    echo "setup-data: no DOK history imported" >&2
fi
