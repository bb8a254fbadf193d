#!/usr/bin/env bash
# Content search for a keyword found nowhere (every file read whole) against ripgrep's
# raw byte scan of the same tree (`rg -uuu -c`: no transcoding, binary files searched),
# in the same run, both with every core and a warm cache. The two run in turn, so that a
# change in the machine's load falls on both alike; besides the median wall time of each
# it prints their CPU time and the median of the per-run ratios, which a busy machine
# disturbs less, and the load average before and after.
#   bench/search_bench.sh [--jww | --big | --synthetic] [BUILD_DIR] [RUNS]
# Trees: the real corpus (../shared/corpus: drawings and symbols) copied six times; with
# --jww its JWW drawings copied to about 400 MB, so that big drawings weigh most; with
# --big 120 generated drawings of 1 to 5 MB each; with --synthetic 5,000 generated files
# in 200 folders (drawings, symbols, text, CSV and HTML).
set -euo pipefail
cd "$(dirname "$0")/.."
tree_kind=corpus
case "${1:-}" in
  --jww | --big | --synthetic)
    tree_kind=${1#--}
    shift
    ;;
esac
build=${1:-build}
runs=${2:-5}
corpus=${GLYPHGRAB_CORPUS_DIR:-../shared/corpus}
[ -x /usr/bin/time ] || { echo "search_bench: needs /usr/bin/time (the Debian package 'time'; scripts/setup installs it)" >&2; exit 1; }
command -v rg >/dev/null || { echo "search_bench: needs ripgrep (rg; scripts/setup installs it)" >&2; exit 1; }
cmake --build "$build" --target glyphgrab-cli glyphgrab_bench_search_tree >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $tree_kind in
  synthetic) "$build/bench/glyphgrab_bench_search_tree" "$work/tree" >/dev/null ;;
  big) "$build/bench/glyphgrab_bench_search_tree" --big "$work/tree" >/dev/null ;;
  jww | corpus)
    [ -d "$corpus/jww" ] || { echo "search_bench: no corpus at $corpus (use --big or --synthetic)" >&2; exit 1; }
    if [ "$tree_kind" = jww ]; then
      one=$(du -sb "$corpus/jww" | awk '{ print $1 }')
      copies=$(( (400000000 + one - 1) / one ))
      for k in $(seq "$copies"); do
        mkdir -p "$work/tree/copy$k"
        cp "$corpus"/jww/*.jww "$work/tree/copy$k/"
      done
    else
      for k in 1 2 3 4 5 6; do
        mkdir -p "$work/tree/copy$k"
        cp -r "$corpus"/jww "$corpus"/jws "$corpus"/jwk "$corpus"/jwc "$work/tree/copy$k/"
      done
    fi
    ;;
esac
files=$(find "$work/tree" -type f | wc -l)
bytes=$(find "$work/tree" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
keyword=ZZQXNOTHERE
ours=("$build/src/cli/glyphgrab-cli" search --contents "$work/tree" "$keyword")
theirs=(rg -uuu -c "$keyword" "$work/tree")

# One line per run: wall seconds (finer than time's own 10 ms), CPU seconds (user +
# system) and peak resident KB.
measure() {
  local out=$1 t0 t1
  shift
  t0=$EPOCHREALTIME
  /usr/bin/time -f "%U %S %M" -o "$work/peak" "$@" >/dev/null 2>&1 || true
  t1=$EPOCHREALTIME
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }') $(tail -n 1 "$work/peak" | awk '{ print $1 + $2, $3 }')" >>"$out"
}
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# Both once to warm the cache, then in turn.
"${ours[@]}" >/dev/null 2>&1 || true
"${theirs[@]}" >/dev/null 2>&1 || true
for _ in $(seq "$runs"); do
  measure "$work/ours" "${ours[@]}"
  measure "$work/theirs" "${theirs[@]}"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# Median wall, median CPU and largest peak of a list of "wall cpu KB" lines.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
summary() {
  echo "$(awk '{ print $1 }' "$1" | median) $(awk '{ print $2 }' "$1" | median) $(awk '$3 > m { m = $3 } END { print m }' "$1")"
}
read -r o oc ok < <(summary "$work/ours")
read -r r rc rk < <(summary "$work/theirs")
paired=$(paste -d' ' "$work/ours" "$work/theirs" | awk '{ print $1 / $4 }' | median)
paired_cpu=$(paste -d' ' "$work/ours" "$work/theirs" | awk '{ print ($5 > 0 ? $2 / $5 : 0) }' | median)
awk -v t="$tree_kind" -v f="$files" -v b="$bytes" -v o="$o" -v oc="$oc" -v ok="$ok" -v r="$r" -v rc="$rc" \
    -v rk="$rk" -v c="$(nproc)" -v n="$runs" -v p="$paired" -v pc="$paired_cpu" -v lb="$load_before" \
    -v la="$load_after" 'BEGIN {
  printf "tree (%s): %d files, %.1f MB; %d cores; median of %d runs, warm cache\n", t, f, b / 1e6, c, n
  printf "load average before: %s; after: %s\n", lb, la
  printf "glyphgrab-cli search --contents: %.3f s wall  %.0f MB/s  %.3f s CPU  peak %.1f MiB\n", o, b / 1e6 / o, oc, ok / 1024
  printf "rg -uuu -c (raw bytes):          %.3f s wall  %.0f MB/s  %.3f s CPU  peak %.1f MiB\n", r, b / 1e6 / r, rc, rk / 1024
  printf "ratio (ours / ripgrep): %.2f of median walls; median of per-run ratios %.2f wall, %.2f CPU\n", o / r, p, pc
}'
