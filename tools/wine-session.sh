# Sourced by scripts that run many Windows programs in a row: one virtual display and one
# persistent wineserver for the whole session, both stopped when the calling shell exits.
#   source tools/wine-session.sh; wine_session_start BUILD_DIR

wine_session_start() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  source "$root/tools/wine-env.sh"
  wine_env "$1"

  local managed=Y
  if [ -z "${DISPLAY:-}" ]; then
    managed=N
    # Xvfb picks a free display itself and writes its number once it accepts clients, so
    # sessions started at the same moment never pick the same one.
    local number
    number=$(mktemp)
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$number" >/dev/null 2>&1 &
    WINE_SESSION_XVFB=$!
    for _ in $(seq 100); do
      [ -s "$number" ] && break
      sleep 0.1
    done
    export DISPLAY=:$(head -n 1 "$number")
    rm -f "$number"
  fi

  wine_prefix_ready
  # One persistent server for the session. When another session of the same prefix already
  # has one, use it and leave it to its owner.
  WINE_SESSION_OWNS_SERVER=
  if wineserver -p >/dev/null 2>&1; then
    WINE_SESSION_OWNS_SERVER=1
    # The first program of a server starts Wine's own services, which live as long as the
    # server and keep whatever output they inherit open: start them here, on /dev/null, so
    # that no test's output pipe stays open after the test ends. That first program sets
    # how windows meet the X server: on our own virtual display there is no window manager,
    # and Wine waits 2 s for one to confirm each hidden window unless it manages its windows
    # itself (Managed=N, which also draws their caption bars); on a real display the
    # desktop's window manager does that.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f \
      </dev/null >/dev/null 2>&1 || true
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
