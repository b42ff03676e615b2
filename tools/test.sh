#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test: the window-free
# code natively (with sanitizers), its fuzz targets for a fixed number of inputs, then all
# test programs under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# Each phase's time is printed as it ends, and all of them together before the Wine tests,
# whose own time is ctest's "Total Test time" (so that ctest's result stays the last lines).
phase_times=()
phase_name=
phase_start=$SECONDS
phase() {
  if [ -n "$phase_name" ]; then
    phase_times+=("$(printf '%-56s %5d s' "$phase_name" $((SECONDS - phase_start)))")
    echo "== $phase_name: $((SECONDS - phase_start)) s"
  fi
  phase_name=$1
  phase_start=$SECONDS
  if [ -n "$phase_name" ]; then echo "== $phase_name"; fi
}
phase_summary() {
  phase ""
  echo "== phase times"
  printf '%s\n' "${phase_times[@]}"
  printf '%-56s %5d s\n' "total before the Wine tests" "$SECONDS"
}

phase "set-up"
bash tools/setup.sh
source tools/build-folders.sh

jobs=$(nproc)

phase "layout check (clang-format)"
bash tools/check-format.sh

phase "native build (window-free code, sanitizers)"
configure_native_build
cmake --build build-native -j "$jobs"
phase "native tests"
(cd build-native && ctest --output-on-failure -j "$jobs")

phase "fuzz build (window-free parsers and text buffer, clang)"
configure_fuzz_build
cmake --build build-fuzz -j "$jobs" --target fuzzers
phase "fuzz runs"
(cd build-fuzz && ctest --output-on-failure -j "$jobs" -L fuzz)

phase "Windows build (i686, MinGW-w64)"
configure_windows_build
cmake --build build -j "$jobs"
bash tools/check-binaries.sh build/bin

phase_summary
echo "== tests under Wine"
source tools/wine-session.sh
wine_session_start build
# One at a time: the programs share one display, its keyboard, mouse and clipboard, and
# the Launcher's named block.
(cd build && ctest --output-on-failure "$@")
