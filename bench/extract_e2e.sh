#!/usr/bin/env bash
# glyphgrab-cli extract end to end, as a script runs it: process start, reading, the
# list, UTF-8 out. On one core, warm cache.
#   bench/extract_e2e.sh [BUILD_DIR] [RUNS] [LIST]
# LIST names one file per line (default: the corpus's JWW drawings, each 14 times).
# Prints the median MB/s of `extract --header --blocks --dims` over the list, and the
# start-up of `--version` and of a one-file extract over the process floor (a program
# that does nothing, linked as the CLI is).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-9}
list=${3:-}
corpus=${GLYPHGRAB_CORPUS_DIR:-../shared/corpus}
[ -x /usr/bin/time ] || { echo "extract_e2e: needs /usr/bin/time (the Debian package 'time'; scripts/setup installs it)" >&2; exit 1; }
cmake --build "$build" --target glyphgrab-cli glyphgrab_bench_process_floor >/dev/null
cli="$build/src/cli/glyphgrab-cli"
floor="$build/bench/glyphgrab_bench_process_floor"
# The script and all it starts on the first processor.
pinned="not pinned"
if command -v taskset >/dev/null && taskset -cp 0 $$ >/dev/null 2>&1; then pinned="processor 0"; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$list" ]; then
  [ -d "$corpus/jww" ] || { echo "extract_e2e: no corpus at $corpus (give a LIST)" >&2; exit 1; }
  for _ in $(seq 14); do ls -1 "$corpus"/jww/*.jww; done >"$work/list"
  list=$work/list
fi
mapfile -t files <"$list"
bytes=$(for f in "${files[@]}"; do stat -L -c %s "$f"; done | awk '{ s += $1 } END { print s }')
one=${files[0]}
[ -f "$corpus/jww/019.jww" ] && one=$corpus/jww/019.jww

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Throughput, after one run to warm the cache: wall, user and system seconds of each
# run to the millisecond (bash's own timing; time's are in hundredths), and the peak
# memory of one more run under time.
run() { "$cli" extract --header --blocks --dims "${files[@]}" >/dev/null 2>&1 || true; }
run
TIMEFORMAT='%3R %3U %3S'
for _ in $(seq "$runs"); do
  { time run; } 2>>"$work/runs"
done
/usr/bin/time -f "%M" -o "$work/peak" "$cli" extract --header --blocks --dims "${files[@]}" >/dev/null 2>&1 || true
wall=$(awk '{ print $1 }' "$work/runs" | median)
cpu=$(awk '{ print $2 + $3 }' "$work/runs" | median)
peak=$(tail -n 1 "$work/peak")

# Start-up: the three commands launched in turn, so that a change in the machine's
# load falls on all alike; the median launch of each.
launch() {
  local t0=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || true
  local t1=$EPOCHREALTIME
  awk -v a="$t0" -v b="$t1" 'BEGIN { print (b - a) * 1000 }'
}
for _ in $(seq 300); do
  launch "$floor" >>"$work/floor"
  launch "$cli" --version >>"$work/version"
  launch "$cli" extract --header --blocks --dims "$one" >>"$work/one"
done
f=$(median <"$work/floor")
v=$(median <"$work/version")
o=$(median <"$work/one")

awk -v n="${#files[@]}" -v b="$bytes" -v w="$wall" -v c="$cpu" -v p="$peak" -v runs="$runs" \
    -v f="$f" -v v="$v" -v o="$o" -v one="$(basename "$one")" -v os="$(stat -L -c %s "$one")" \
    -v pinned="$pinned" 'BEGIN {
  printf "extract --header --blocks --dims: %d files, %.1f MB; one core (%s); median of %d runs\n", n, b / 1e6, pinned, runs
  printf "  %.3f s wall: %.0f MB/s; %.3f s CPU: %.0f MB/s per CPU second; peak %.1f MiB\n", w, b / 1e6 / w, c, b / 1e6 / c, p / 1024
  printf "start-up (ms, median of 300 launches each):\n"
  printf "  process floor (does nothing, linked as the CLI): %.2f\n", f
  printf "  --version: %.2f (+%.2f over the floor)\n", v, v - f
  printf "  extract of one file (%s, %d bytes): %.2f (+%.2f over the floor)\n", one, os, o, o - f
}'
