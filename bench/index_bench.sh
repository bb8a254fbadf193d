#!/usr/bin/env bash
# The search index on a large tree: the real corpus (../shared/corpus) linked N times
# (default 254 copies, about 100,000 drawings). In one run, warm cache, every core:
#   - the bare walk that lists every folder and stats every file (bench/index_probe.cpp)
#   - the first search (empty index: every file read and stored)
#   - the second and later searches (answered from the index), for keywords of one,
#     two and more characters, Japanese and ASCII
#   - a search without the index, for comparison
#   - the search window's first results from the index (bench/index_probe.cpp): its
#     first batch, and when the walk can begin
#   Times are wall clock and CPU (user + system) of the same runs.
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

# "seconds peakKB cpuSeconds" of one run (CPU: user + system). On a shared machine the
# wall clock counts time spent waiting for a core; the CPU time does not.
measure() {
  local t0 t1
  t0=$EPOCHREALTIME
  /usr/bin/time -f "%M %U %S" -o "$work/peak" "$@" >/dev/null 2>"$work/err" || true
  t1=$EPOCHREALTIME
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }') $(tail -n 1 "$work/peak" | awk '{ print $1, $2 + $3 }')"
}
calc() { awk "BEGIN { print $1 }"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Warm the page cache and the folder caches.
"$probe" walk "$work/tree" >/dev/null
"$cli" search --no-index --contents "$work/tree" ZZQXNOTHERE >/dev/null 2>&1 || true

read -r first first_kb first_cpu < <(measure "$cli" search --contents "$work/tree" 洋室)
index_kb=$(du -sk "$XDG_CACHE_HOME/glyphgrab" | cut -f1)
echo "tree: $files files in $folders folders ($copies copies of the corpus, hard links); $(nproc) cores"
printf "first search (empty index, every file read and stored): %.2f s, CPU %.2f s, peak %.1f MiB\n" \
  "$first" "$first_cpu" "$(calc "$first_kb / 1024")"
printf "index on disk: %.1f MiB\n" "$(calc "$index_kb / 1024")"

# Walks and searches take turns, so a change in the machine's load weighs on both.
walks=()
walk_cpus=()
declare -A times cpus
keywords=(洋 洋室 階段 A 寸法図 FLOOR)
for _ in $(seq "$runs"); do
  read -r t _ c < <(measure "$probe" walk "$work/tree")
  walks+=("$t")
  walk_cpus+=("$c")
  for keyword in "${keywords[@]}"; do
    read -r t kb c < <(measure "$cli" search "$work/tree" "$keyword")
    times[$keyword]+="$t "
    cpus[$keyword]+="$c "
    [ "$kb" -gt "${worst_kb:-0}" ] && worst_kb=$kb
  done
done
walk=$(printf '%s\n' "${walks[@]}" | median)
walk_cpu=$(printf '%s\n' "${walk_cpus[@]}" | median)
printf "bare walk (list every folder, stat every file): %.3f s, CPU %.3f s\n" "$walk" "$walk_cpu"

worst=0
worst_cpu=0
for keyword in "${keywords[@]}"; do
  t=$(printf '%s\n' ${times[$keyword]} | median)
  c=$(printf '%s\n' ${cpus[$keyword]} | median)
  printf "second search %-8s %.3f s = %.2f x the walk, CPU %.3f s = %.2f x the walk's; 1/%.0f of the first (CPU 1/%.0f)\n" \
    "$keyword" "$t" "$(calc "$t / $walk")" "$c" "$(calc "$c / $walk_cpu")" "$(calc "$first / $t")" "$(calc "$first_cpu / $c")"
  worst=$(awk -v a="$worst" -v b="$t" 'BEGIN { print (b > a) ? b : a }')
  worst_cpu=$(awk -v a="$worst_cpu" -v b="$c" 'BEGIN { print (b > a) ? b : a }')
done
printf "slowest second search: %.3f s = %.2f x the walk, CPU %.2f x (goal <= 1.5); 1/%.0f of the first, CPU 1/%.0f (goal <= 1/10); peak %.1f MiB (goal <= 100)\n" \
  "$worst" "$(calc "$worst / $walk")" "$(calc "$worst_cpu / $walk_cpu")" "$(calc "$first / $worst")" \
  "$(calc "$first_cpu / $worst_cpu")" "$(calc "$worst_kb / 1024")"

read -r bare _ bare_cpu < <(measure "$cli" search --no-index "$work/tree" 洋室)
printf "search without the index: %.2f s, CPU %.2f s (first search with the index: %.2f x its CPU)\n" \
  "$bare" "$bare_cpu" "$(calc "$first_cpu / $bare_cpu")"

firsts=()
alls=()
for _ in $(seq "$runs"); do
  read -r ms _ all < <("$probe" first "$work/tree" 洋室)
  firsts+=("$ms")
  alls+=("$all")
done
printf "search window's first results from the index: %.1f ms (goal <= 100); the walk begins after %.1f ms\n" \
  "$(printf '%s\n' "${firsts[@]}" | median)" "$(printf '%s\n' "${alls[@]}" | median)"
