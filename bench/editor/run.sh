#!/usr/bin/env bash
# Runs the editor benchmark under Wine on a log of the given size, with the real `wc -l`
# timed on the same (cached) log as the line-count baseline.
#   bench/editor/run.sh [BUILD_DIR] [LOG_MIB]      (defaults: build 1024)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
mib=${2:-1024}
bench=$build/bench-bin/EditorBench.exe
work=$(mktemp -d "$build/editor-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$root/tools/wine-env.sh"
wine_env "$build"

"$root/tools/wine-run.sh" "$bench" --make-log "$(winepath -w "$work/access.log")" --log-mib "$mib"
sync "$work/access.log"  # written back now, not while the engine and its baselines are timed
wc -l "$work/access.log" >/dev/null  # warm the cache
# The best of three runs of wc -l before the engine runs and three after it, so that load
# from elsewhere weighs on the baseline as on the engine (which also takes its best run).
wc_best() {
  local best=
  for _ in 1 2 3; do
    local start=$(date +%s%N)
    wc -l "$work/access.log" >/dev/null
    local ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
wc_ms=$(wc_best)
"$root/tools/wine-run.sh" "$bench" --log "$(winepath -w "$work/access.log")" --wc-ms "$wc_ms" --dir "$(winepath -w "$work")" \
  | tee "$work/bench.out"
wc_after=$(wc_best)
best_wc=$(( wc_after < wc_ms ? wc_after : wc_ms ))
index_ms=$(sed -n 's/^  full line index: \([0-9.]*\) ms.*/\1/p' "$work/bench.out")
if [ -n "$index_ms" ] && [ "$best_wc" -gt 0 ]; then
  awk -v i="$index_ms" -v b="$wc_ms" -v a="$wc_after" -v w="$best_wc" 'BEGIN {
    printf "wc -l best before %d ms, after %d ms; full line index / best wc -l: %.2f x (target <= 1.5 x)\n", b, a, i / w }'
fi
