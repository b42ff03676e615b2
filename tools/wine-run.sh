#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code through.
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
#   tools/wine-run.sh --prefix-only      (only makes sure the prefix exists)
# The prefix lives in the build tree (made once, under a lock, so parallel tests share it).
# With no DISPLAY, the program gets a virtual X display of its own.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${TESSALY_BUILD_DIR:-$root/build}

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEARCH=${WINEARCH:-win32}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine-run: creating the Wine prefix in $WINEPREFIX" >&2
      wineboot -i >/dev/null 2>&1
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
}

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

ensure_prefix
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
