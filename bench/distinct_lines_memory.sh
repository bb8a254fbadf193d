#!/usr/bin/env bash
# Peak memory of glyphgrab-cli extract and search on a 200 MB text file of 12 million
# distinct lines: every line is kept in the extraction list, so the list's duplicate
# bookkeeping is what this measures beside the list itself.
#   bench/distinct_lines_memory.sh [BUILD_DIR]
source "$(dirname "$0")/cli_peak.sh"
seq -f 'row %08g ok' 1 12000000 >"$work/distinct.txt"

echo "distinct.txt ($(du -h --apparent-size "$work/distinct.txt" | cut -f1), 12000000 lines):"
echo "  extract  $(peak "$cli" extract "$work/distinct.txt")"
echo "  search   $(peak "$cli" search --contents "$work" ZZQXNOTHERE)"
