# Sourced by the CLI memory benchmarks: builds glyphgrab-cli in BUILD_DIR ($1, default
# build), sets $cli and a temporary $work folder removed on exit, and defines
# `peak COMMAND...`, which prints "seconds peak-MiB" of one run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (scripts/setup installs it)" >&2; exit 1; }
cmake --build "$build" --target glyphgrab-cli >/dev/null
cli="$build/src/cli/glyphgrab-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

peak() {
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
  tail -n 1 "$work/time" | awk '{ printf "%6.2f s  %7.1f MiB", $1, $2 / 1024 }'
}
