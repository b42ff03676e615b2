#!/usr/bin/env bash
# Runs the editor benchmark under Wine on a log of the given size, with the real `wc -l`
# and `grep -F -c` (with and without -i, bytes as bytes) timed on the same (cached) log as
# the baselines of the line index and of Find.
#   bench/editor/run.sh [BUILD_DIR] [LOG_MIB] [EXTRA BENCH ARGUMENTS...]   (defaults: build 1024)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
mib=${2:-1024}
shift $(( $# < 2 ? $# : 2 ))
bench=$build/bench-bin/EditorBench.exe
work=$(mktemp -d "$build/editor-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$root/tools/wine-env.sh"
wine_env "$build"

log=$work/access.log
"$root/tools/wine-run.sh" "$bench" --make-log "$(winepath -w "$log")" --log-mib "$mib"
mapfile -t needles < <("$root/tools/wine-run.sh" "$bench" --needle | tr -d '\r')
sync "$log"  # written back now, not while the engine and its baselines are timed
wc -l "$log" >/dev/null  # warm the cache
# Each baseline is the best of three runs before the engine runs and three after it, so that
# load from elsewhere weighs on the baselines as on the engine (which also takes its best run).
best_ms() {
  local best=
  for _ in 1 2 3; do
    local start=$(date +%s%N)
    "$@" >/dev/null || true
    local ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
baselines() {
  wc_ms=$(best_ms wc -l "$log")
  grep_ms=$(LC_ALL=C best_ms grep -F -c -- "${needles[0]}" "$log")
  grep_i_ms=$(LC_ALL=C best_ms grep -F -c -i -- "${needles[1]}" "$log")
}
baselines
wc_before=$wc_ms grep_before=$grep_ms grep_i_before=$grep_i_ms
"$root/tools/wine-run.sh" "$bench" --log "$(winepath -w "$log")" --wc-ms "$wc_ms" --grep-ms "$grep_ms" \
  --grep-i-ms "$grep_i_ms" --dir "$(winepath -w "$work")" "$@" | tee "$work/bench.out"
baselines
min() { echo $(( $1 < $2 ? $1 : $2 )); }
figure() {  # name, engine ms, baseline before, baseline after, target
  if [ -n "$2" ]; then
    local best=$(min "$3" "$4")
    awk -v n="$1" -v e="$2" -v b="$3" -v a="$4" -v w="$best" -v t="$5" 'BEGIN {
      if (w > 0) printf "%s: baseline best before %d ms, after %d ms; %.1f ms / best: %.2f x (target %s)\n", n, b, a, e, e / w, t }'
  fi
}
figure "full line index / wc -l" "$(sed -n 's/^  full line index: \([0-9.]*\) ms.*/\1/p' "$work/bench.out")" \
  "$wc_before" "$wc_ms" "<= 1.2 x"
figure "find case-sensitive / grep -F -c" "$(sed -n 's/^  find case-sensitive: \([0-9.]*\) ms.*/\1/p' "$work/bench.out")" \
  "$grep_before" "$grep_ms" "<= 1.5 x"
figure "find any case / grep -F -c -i" "$(sed -n 's/^  find any case: \([0-9.]*\) ms.*/\1/p' "$work/bench.out")" \
  "$grep_i_before" "$grep_i_ms" "<= 1.5 x"
