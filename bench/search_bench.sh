#!/usr/bin/env bash
# Content search for a keyword found nowhere (every file read whole) against ripgrep's
# raw byte scan of the same tree, in the same run, both with every core and a warm
# cache. Prints the median wall time of each, the ratio, throughput and peak memory.
#   bench/search_bench.sh [--synthetic] [BUILD_DIR] [RUNS]
# The tree is the real corpus (../shared/corpus: drawings and symbols) copied six times,
# or with --synthetic 5,000 generated files in 200 folders (drawings, symbols, text, CSV
# and HTML).
set -euo pipefail
cd "$(dirname "$0")/.."
synthetic=0
if [ "${1:-}" = --synthetic ]; then
  synthetic=1
  shift
fi
build=${1:-build}
runs=${2:-5}
corpus=${GLYPHGRAB_CORPUS_DIR:-../shared/corpus}
[ -x /usr/bin/time ] || { echo "search_bench: needs /usr/bin/time (the Debian package 'time'; scripts/setup installs it)" >&2; exit 1; }
command -v rg >/dev/null || { echo "search_bench: needs ripgrep (rg; scripts/setup installs it)" >&2; exit 1; }
cmake --build "$build" --target glyphgrab-cli glyphgrab_bench_search_tree >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$synthetic" = 1 ]; then
  "$build/bench/glyphgrab_bench_search_tree" "$work/tree" >/dev/null
else
  [ -d "$corpus/jww" ] || { echo "search_bench: no corpus at $corpus (use --synthetic)" >&2; exit 1; }
  for k in 1 2 3 4 5 6; do
    mkdir -p "$work/tree/copy$k"
    cp -r "$corpus"/jww "$corpus"/jws "$corpus"/jwk "$corpus"/jwc "$work/tree/copy$k/"
  done
fi
files=$(find "$work/tree" -type f | wc -l)
bytes=$(find "$work/tree" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
keyword=ZZQXNOTHERE
ours=("$build/src/cli/glyphgrab-cli" search --contents "$work/tree" "$keyword")
theirs=(rg -uuu -E shift_jis "$keyword" "$work/tree")

# One line per run: wall seconds (finer than time's own 10 ms) and peak resident KB.
measure() {
  local out=$1 t0 t1
  shift
  t0=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$work/peak" "$@" >/dev/null 2>&1 || true
  t1=$EPOCHREALTIME
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }') $(tail -n 1 "$work/peak")" >>"$out"
}
# Both once to warm the cache, then in turn, so that a change in the machine's load
# falls on both alike.
"${ours[@]}" >/dev/null 2>&1 || true
"${theirs[@]}" >/dev/null 2>&1 || true
for _ in $(seq "$runs"); do
  measure "$work/ours" "${ours[@]}"
  measure "$work/theirs" "${theirs[@]}"
done

# The median time and the largest peak of a list of "seconds KB" lines.
summary() {
  sort -g "$1" | awk -v n="$runs" '{ t[NR] = $1; if ($2 > m) m = $2 } END { print t[int((n + 1) / 2)], m }'
}
read -r o ok < <(summary "$work/ours")
read -r r rk < <(summary "$work/theirs")
awk -v f="$files" -v b="$bytes" -v o="$o" -v ok="$ok" -v r="$r" -v rk="$rk" -v c="$(nproc)" -v n="$runs" 'BEGIN {
  printf "tree: %d files, %.1f MB; %d cores; median of %d runs, warm cache\n", f, b / 1e6, c, n
  printf "glyphgrab-cli search --contents: %.3f s  %.0f files/s  %.1f MB/s  peak %.1f MiB\n", o, f / o, b / 1e6 / o, ok / 1024
  printf "rg -uuu -E shift_jis:            %.3f s  %.0f files/s  %.1f MB/s  peak %.1f MiB\n", r, f / r, b / 1e6 / r, rk / 1024
  printf "ratio (ours / ripgrep): %.2f\n", o / r
}'
