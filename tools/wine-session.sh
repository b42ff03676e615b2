# Sourced by scripts that run many Windows programs in a row: one virtual display and one
# persistent wineserver for the whole session, both stopped when the calling shell exits.
#   source tools/wine-session.sh; wine_session_start BUILD_DIR

wine_session_start() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  source "$root/tools/wine-env.sh"
  wine_env "$1"

  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_SESSION_XVFB=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
  fi

  wine_prefix_ready
  # One persistent server for the session. When another session of the same prefix already
  # has one, use it and leave it to its owner.
  WINE_SESSION_OWNS_SERVER=
  if wineserver -p >/dev/null 2>&1; then
    WINE_SESSION_OWNS_SERVER=1
    # The first program of a server starts Wine's own services, which live as long as the
    # server and keep whatever output they inherit open: start them here, on /dev/null, so
    # that no test's output pipe stays open after the test ends.
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
  fi
  export TESSALY_WINE_SESSION=1
  trap wine_session_stop EXIT
}

wine_session_stop() {
  if [ -n "${WINE_SESSION_OWNS_SERVER:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "${WINE_SESSION_XVFB:-}" ]; then
    kill "$WINE_SESSION_XVFB" >/dev/null 2>&1 || true
  fi
}
