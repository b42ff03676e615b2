#!/usr/bin/env bash
# Fails when a C or C++ file of the tree is not laid out as .clang-format says; prints the
# places. To lay the tree out: tools/check-format.sh --fix
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mode=(--dry-run --Werror)
if [ "${1:-}" = --fix ]; then
  mode=(-i)
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -- '*.c' '*.cpp' '*.h' | xargs -0 clang-format "${mode[@]}"
else
  find . \( -path ./build -o -path './build-*' \) -prune -o \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) \
    -print0 | xargs -0 clang-format "${mode[@]}"
fi
