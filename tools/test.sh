#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test: the window-free
# code natively (with sanitizers), its fuzz targets for a fixed number of inputs, then all
# test programs under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/setup.sh
source tools/build-folders.sh

jobs=$(nproc)

echo "== native build (window-free code, sanitizers)"
configure_native_build
cmake --build build-native -j "$jobs"
(cd build-native && ctest --output-on-failure -j "$jobs")

echo "== fuzz build (window-free parsers and text buffer, clang)"
configure_fuzz_build
cmake --build build-fuzz -j "$jobs" --target fuzzers
(cd build-fuzz && ctest --output-on-failure -j "$jobs" -L fuzz)

echo "== Windows build (i686, MinGW-w64)"
configure_windows_build
cmake --build build -j "$jobs"
bash tools/check-binaries.sh build/bin

echo "== tests under Wine"
source tools/wine-session.sh
wine_session_start build
# One at a time: the programs share one display, its keyboard, mouse and clipboard, and
# the Launcher's named block.
(cd build && ctest --output-on-failure "$@")
