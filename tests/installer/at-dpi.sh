#!/usr/bin/env bash
# Runs one Windows program with the display at another DPI: Wine gives every process it
# starts meanwhile the "LogPixels" of the user's desktop settings. The value goes again
# (back to Wine's 96) when the program ends, whatever its outcome.
#   at-dpi.sh DPI PROGRAM.exe [ARGS...]
#   at-dpi.sh --restore        (only removes the value: after a run that was killed)
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/wine-env.sh"
wine_env "${TESSALY_BUILD_DIR:-$here/build}"
key='HKCU\Control Panel\Desktop'
restore() { wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1; }
trap restore EXIT
if [ "$1" = "--restore" ]; then
  exit 0
fi
dpi=$1
shift
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$here/tools/wine-run.sh" "$@"
