#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test: the window-free
# code natively (with sanitizers), its fuzz targets for a fixed number of inputs, then all
# test programs under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/setup.sh

jobs=$(nproc)

echo "== native build (window-free code, sanitizers)"
cmake -S . -B build-native -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-native -j "$jobs"
(cd build-native && ctest --output-on-failure -j "$jobs")

echo "== fuzz build (window-free parsers and text buffer, clang)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTESSALY_FUZZ=ON
cmake --build build-fuzz -j "$jobs" --target fuzzers
(cd build-fuzz && ctest --output-on-failure -j "$jobs" -L fuzz)

echo "== Windows build (i686, MinGW-w64)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
cmake --build build -j "$jobs"
bash tools/check-binaries.sh build/bin

echo "== tests under Wine"
source tools/wine-session.sh
wine_session_start build
# One at a time: the programs share one display, its keyboard, mouse and clipboard, and
# the Launcher's named block.
(cd build && ctest --output-on-failure "$@")
