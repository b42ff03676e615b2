#!/usr/bin/env bash
# Checks every shipped binary: a 32-bit PE that imports Windows system DLLs only
# (and our own editor.dll).
set -euo pipefail
dir=${1:-build/bin}
status=0
shopt -s nullglob
allowed='^((kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|shlwapi|ole32|oleaut32|oleacc|msvcrt|version|imm32|uxtheme|winmm|ws2_32|iphlpapi|editor)\.dll|winspool\.drv)$'
for f in "$dir"/*.exe "$dir"/*.dll; do
  if ! i686-w64-mingw32-objdump -f "$f" | grep -q 'file format pei-i386'; then
    echo "check-binaries: $f is not a 32-bit PE" >&2
    status=1
  fi
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if ! [[ $lower =~ $allowed ]]; then
      echo "check-binaries: $f imports $dll" >&2
      status=1
    fi
  done < <(i686-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p')
done
exit $status
