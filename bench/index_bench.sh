#!/usr/bin/env bash
# The search index on a large tree: the real corpus (../shared/corpus) linked N times
# (default 254 copies, about 100,000 drawings). In one run, warm cache, every core:
#   - the bare walk that lists every folder and stats every file (bench/index_probe.cpp)
#   - the first search (empty index: every file read and stored)
#   - the second and later searches (answered from the index), for keywords of one,
#     two and more characters, Japanese and ASCII
#   - a search without the index, for comparison
#   - the search window's first results from the index (bench/index_probe.cpp)
#   - the index's size on disk and each search's peak memory
#   bench/index_bench.sh [BUILD_DIR] [COPIES] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
copies=${2:-254}
runs=${3:-5}
corpus=${GLYPHGRAB_CORPUS_DIR:-../shared/corpus}
[ -x /usr/bin/time ] || { echo "index_bench: needs /usr/bin/time (Debian package 'time')" >&2; exit 1; }
[ -d "$corpus/jww" ] || { echo "index_bench: no corpus at $corpus" >&2; exit 1; }
cmake --build "$build" --target glyphgrab-cli glyphgrab_bench_index_probe >/dev/null
cli=$build/src/cli/glyphgrab-cli
probe=$build/bench/glyphgrab_bench_index_probe

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache
# Hard links: the tree costs no disk, and every path is a file of its own to the walk.
for k in $(seq "$copies"); do
  mkdir -p "$work/tree/copy$k"
  cp -al "$corpus"/jww "$corpus"/jws "$corpus"/jwk "$corpus"/jwc "$work/tree/copy$k/"
done
files=$(find "$work/tree" -type f | wc -l)
folders=$(find "$work/tree" -type d | wc -l)

# "seconds peakKB" of one run.
measure() {
  local t0 t1
  t0=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$work/peak" "$@" >/dev/null 2>"$work/err" || true
  t1=$EPOCHREALTIME
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }') $(tail -n 1 "$work/peak")"
}
calc() { awk "BEGIN { print $1 }"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Warm the page cache and the folder caches.
"$probe" walk "$work/tree" >/dev/null
"$cli" search --no-index --contents "$work/tree" ZZQXNOTHERE >/dev/null 2>&1 || true

read -r first first_kb < <(measure "$cli" search --contents "$work/tree" 洋室)
index_kb=$(du -sk "$XDG_CACHE_HOME/glyphgrab" | cut -f1)
echo "tree: $files files in $folders folders ($copies copies of the corpus, hard links); $(nproc) cores"
printf "first search (empty index, every file read and stored): %.2f s, peak %.1f MiB\n" "$first" "$(calc "$first_kb / 1024")"
printf "index on disk: %.1f MiB\n" "$(calc "$index_kb / 1024")"

walks=()
for _ in $(seq "$runs"); do walks+=("$("$probe" walk "$work/tree" | cut -d' ' -f1)"); done
walk=$(printf '%s\n' "${walks[@]}" | median)
printf "bare walk (list every folder, stat every file): %.3f s\n" "$walk"

worst=0
worst_kb=0
for keyword in 洋 洋室 階段 A 寸法図 FLOOR; do
  times=()
  for _ in $(seq "$runs"); do
    read -r t kb < <(measure "$cli" search "$work/tree" "$keyword")
    times+=("$t")
    [ "$kb" -gt "$worst_kb" ] && worst_kb=$kb
  done
  t=$(printf '%s\n' "${times[@]}" | median)
  printf "second search %-8s %.3f s  (%.2f x the walk, 1/%.0f of the first)\n" "$keyword" "$t" \
    "$(calc "$t / $walk")" "$(calc "$first / $t")"
  worst=$(awk -v a="$worst" -v b="$t" 'BEGIN { print (b > a) ? b : a }')
done
printf "slowest second search: %.3f s = %.2f x the walk (goal <= 1.5), 1/%.0f of the first (goal <= 1/10); peak %.1f MiB (goal <= 100)\n" \
  "$worst" "$(calc "$worst / $walk")" "$(calc "$first / $worst")" "$(calc "$worst_kb / 1024")"

read -r bare _ < <(measure "$cli" search --no-index "$work/tree" 洋室)
printf "search without the index: %.2f s\n" "$bare"

firsts=()
for _ in $(seq "$runs"); do firsts+=("$("$probe" first "$work/tree" 洋室 | cut -d' ' -f1)"); done
printf "search window's first results from the index: %.1f ms (goal <= 100)\n" "$(printf '%s\n' "${firsts[@]}" | median)"
