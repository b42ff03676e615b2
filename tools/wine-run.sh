#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code through.
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
#   tools/wine-run.sh --prefix-only      (only makes sure the prefix exists)
# The environment and the prefix come from tools/wine-env.sh. With no DISPLAY, the program
# gets a virtual X display of its own.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
wine_env "${TESSALY_BUILD_DIR:-$(dirname "$here")/build}"

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

wine_prefix_ready
if [ "$1" = "--prefix-only" ]; then
  exit 0
fi

# Outside a test session (tools/wine-session.sh), start Wine's services on /dev/null first:
# they outlive the program and would keep its output pipe open.
if [ -z "${TESSALY_WINE_SESSION:-}" ]; then
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
  else
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
  fi
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
