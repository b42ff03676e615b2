#!/usr/bin/env bash
# Runs the log filter's benchmark on a generated log of the given size, with the real
# `grep -F -c` and `grep -F -c -i` (bytes as bytes) timed on the same cached log as baselines.
#   bench/brenlo/filter-run.sh [BUILD_DIR] [LOG_MIB] [EXTRA BENCH ARGUMENTS...]   (defaults: build 1024)
# A cross build's FilterBench.exe runs under Wine. A native build runs as it is: time it in one
# without sanitizers, e.g.
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_SANITIZE=OFF
#   cmake --build build-bench --target FilterBench && bench/brenlo/filter-run.sh build-bench
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
mib=${2:-1024}
shift $(( $# < 2 ? $# : 2 ))
work=$(mktemp -d "${TMPDIR:-/tmp}/filter-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$work/access.log
if [ -x "$build/bench-bin/FilterBench.exe" ] || [ -f "$build/bench-bin/FilterBench.exe" ]; then
  source "$root/tools/wine-env.sh"
  wine_env "$build"
  bench() { "$root/tools/wine-run.sh" "$build/bench-bin/FilterBench.exe" "$@"; }
  path() { winepath -w "$1"; }
else
  bench() { "$build/bench-bin/FilterBench" "$@"; }
  path() { echo "$1"; }
fi

bench --make-log "$(path "$log")" --log-mib "$mib"
mapfile -t needles < <(bench --needle | tr -d '\r')
sync "$log"  # written back now, not while the filter and its baselines are timed
cat "$log" >/dev/null  # in the cache
# Each baseline is the best of three runs before the filter runs and three after it. Its output
# goes to a file: grep that writes to /dev/null stops at the first match.
best_ms() {
  local best=
  for _ in 1 2 3; do
    local start=$(date +%s%N)
    "$@" >"$work/grep.out" || true
    local ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
baselines() {
  grep_ms=$(LC_ALL=C best_ms grep -F -c -- "${needles[0]}" "$log")
  grep_i_ms=$(LC_ALL=C best_ms grep -F -c -i -- "${needles[1]}" "$log")
}
count=$(LC_ALL=C grep -F -c -- "${needles[0]}" "$log" || true)
count_i=$(LC_ALL=C grep -F -c -i -- "${needles[1]}" "$log" || true)
baselines
before=$grep_ms before_i=$grep_i_ms
bench --log "$(path "$log")" --grep-ms "$grep_ms" --grep-count "$count" --grep-i-ms "$grep_i_ms" \
  --grep-i-count "$count_i" "$@" | tee "$work/bench.out"
baselines
# Against the better of each baseline's two halves, so that load from elsewhere in either
# half weighs on grep less.
figure() {  # name, filter ms, baseline before, baseline after, target
  awk -v n="$1" -v e="$2" -v b="$3" -v a="$4" -v t="$5" 'BEGIN { w = (a < b ? a : b);
    if (w > 0 && e != "") printf "%s: grep best of before %d ms, after %d ms; filter %.1f ms: %.2f x (target %s)\n", n, b, a, e, e / w, t }'
}
figure "filter case-sensitive / grep -F -c" "$(sed -n 's/^  filter case-sensitive: \([0-9.]*\) ms.*/\1/p' "$work/bench.out")" \
  "$before" "$grep_ms" "<= 1.0 x"
figure "filter any case / grep -F -c -i" "$(sed -n 's/^  filter any case: \([0-9.]*\) ms.*/\1/p' "$work/bench.out")" \
  "$before_i" "$grep_i_ms" "<= 1.5 x"
