#!/usr/bin/env bash
# Peak memory of glyphgrab-cli extract, search and info on two inputs that once cost
# gigabytes: a 500 MB text file of one line and a 3 GB sparse CSV (zero bytes only).
# The files are made in a temporary folder and removed afterwards.
#   bench/big_input_memory.sh [BUILD_DIR]
# The one-line text repeats a short sentence, so its 65,536-unit pieces repeat and the
# extraction list stays small: the list holds what the file says, and a file of 500 MB
# of distinct text would list that much text by necessity. Reading costs the same
# either way.
source "$(dirname "$0")/cli_peak.sh"
mkdir "$work/txt" "$work/csv"
(set +o pipefail; yes '図面の説明 plan notes, line without end ' | tr -d '\n' | head -c 500000000) >"$work/txt/one-line.txt"
truncate -s 3G "$work/csv/sparse.csv"

for input in txt/one-line.txt csv/sparse.csv; do
  dir=$(dirname "$work/$input")
  echo "$input ($(du -h --apparent-size "$work/$input" | cut -f1)):"
  echo "  extract  $(peak "$cli" extract "$work/$input")"
  echo "  search   $(peak "$cli" search --contents "$dir" ZZQXNOTHERE)"
  echo "  info     $(peak "$cli" info "$work/$input")"
done
