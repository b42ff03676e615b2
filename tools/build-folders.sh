# Sourced by tools/test.sh and tools/run.sh: the one configuration of each build folder, so
# that either command after the other only builds what changed.
#   source tools/build-folders.sh; configure_windows_build; configure_native_build; ...

build_folders_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The Windows binaries and their tests (build/).
configure_windows_build() {
  cmake -S "$build_folders_root" -B "$build_folders_root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$build_folders_root/cmake/toolchain-mingw-i686.cmake"
}

# The window-free code with sanitizers (build-native/).
configure_native_build() {
  cmake -S "$build_folders_root" -B "$build_folders_root/build-native" -G Ninja -DCMAKE_BUILD_TYPE=Debug
}

# The fuzz targets (build-fuzz/, clang).
configure_fuzz_build() {
  cmake -S "$build_folders_root" -B "$build_folders_root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTESSALY_FUZZ=ON
}
