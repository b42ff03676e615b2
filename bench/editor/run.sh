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
export TESSALY_BUILD_DIR=$build
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEARCH=${WINEARCH:-win32} WINEDEBUG=${WINEDEBUG:--all}

"$root/tools/wine-run.sh" "$bench" --make-log "$(winepath -w "$work/access.log")" --log-mib "$mib"
sync "$work/access.log"  # written back now, not while the engine and its baselines are timed
wc -l "$work/access.log" >/dev/null  # warm the cache
start=$(date +%s%N)
wc -l "$work/access.log" >/dev/null
wc_ms=$(( ($(date +%s%N) - start) / 1000000 ))
"$root/tools/wine-run.sh" "$bench" --log "$(winepath -w "$work/access.log")" --wc-ms "$wc_ms" --dir "$(winepath -w "$work")"
