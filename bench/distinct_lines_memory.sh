#!/usr/bin/env bash
# Peak memory of glyphgrab-cli extract and search on a 200 MB text file of 12 million
# distinct lines: every line is kept in the extraction list, so the list's duplicate
# bookkeeping is what this measures beside the list itself.
#   bench/distinct_lines_memory.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (scripts/setup installs it)" >&2; exit 1; }
cmake --build "$build" --target glyphgrab-cli >/dev/null
cli="$build/src/cli/glyphgrab-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seq -f 'row %08g ok' 1 12000000 >"$work/distinct.txt"

peak() {  # prints "seconds peak-MiB" of one run
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
  tail -n 1 "$work/time" | awk '{ printf "%6.2f s  %7.1f MiB", $1, $2 / 1024 }'
}

echo "distinct.txt ($(du -h --apparent-size "$work/distinct.txt" | cut -f1), 12000000 lines):"
echo "  extract  $(peak "$cli" extract "$work/distinct.txt")"
echo "  search   $(peak "$cli" search --contents "$work" ZZQXNOTHERE)"
