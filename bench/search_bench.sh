#!/usr/bin/env bash
# Content search over a synthesized tree of 5,000 files in 200 folders, for a keyword
# that matches nothing (every file read whole), against ripgrep's raw byte scan of the
# same tree. Prints the median of several runs, files per second, MB/s and peak memory.
#   bench/search_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-5}
command -v rg >/dev/null || bash scripts/setup
cmake --build "$build" --target glyphgrab-cli glyphgrab_bench_search_tree >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/glyphgrab_bench_search_tree" "$work/tree"
files=$(find "$work/tree" -type f | wc -l)
bytes=$(du -sb "$work/tree" | cut -f1)
keyword=ZZQXNOTHERE

# Median wall time (s) and the largest peak resident size (KB) over the runs.
measure() {
  local times=() peak=0
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
    read -r t m < <(tail -n 1 "$work/time")
    times+=("$t")
    ((m > peak)) && peak=$m
  done
  printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")" "$peak"
}

read -r ours ours_kb < <(measure "$build/src/cli/glyphgrab-cli" search --contents "$work/tree" "$keyword")
read -r rg_s rg_kb < <(measure rg -uuu --encoding shift_jis "$keyword" "$work/tree")

awk -v f="$files" -v b="$bytes" -v o="$ours" -v ok="$ours_kb" -v r="$rg_s" -v rk="$rg_kb" 'BEGIN {
  printf "tree: %d files, %.1f MB\n", f, b / 1e6
  printf "glyphgrab-cli search: %.3f s  %.0f files/s  %.1f MB/s  peak %.1f MB\n", o, f / o, b / 1e6 / o, ok / 1024
  printf "rg -uuu --encoding shift_jis: %.3f s  %.1f MB/s  peak %.1f MB\n", r, b / 1e6 / r, rk / 1024
  printf "ratio (ours / ripgrep): %.2f\n", o / r
}'
