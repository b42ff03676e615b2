# Sourced by every script that runs our Windows programs: the one Wine environment they
# share, and the prefix it needs.
#   source tools/wine-env.sh; wine_env BUILD_DIR; wine_prefix_ready
# The prefix lives in the build tree (build/wineprefix). It is made once, under a lock so
# that parallel tests share it, and it gets the settings below; a prefix made before a
# change of these settings gets them on its next use.

wine_env() {
  export TESSALY_BUILD_DIR
  TESSALY_BUILD_DIR=$(cd "$1" && pwd)
  export WINEPREFIX=${WINEPREFIX:-$TESSALY_BUILD_DIR/wineprefix}
  export WINEARCH=${WINEARCH:-win32}
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installer: there is nothing to install them from, and we need neither.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# Raise when the settings below change, so that existing prefixes get them again.
WINE_PREFIX_SETTINGS_VERSION=1

wine_prefix_settings() {
  # Caption buttons are drawn with Marlett, which Debian installs beside Wine
  # (fonts-wine) where this Wine does not look: without it they show "0 1 r". Wine finds
  # every font in the prefix's own Fonts folder.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/marlett.ttf"
  fi
}

wine_prefix_ready() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine-env: creating the Wine prefix in $WINEPREFIX" >&2
      wineboot -i >/dev/null 2>&1
      wineserver -w
    fi
    local stamp=$WINEPREFIX/tessaly-settings
    if [ "$(cat "$stamp" 2>/dev/null)" != "$WINE_PREFIX_SETTINGS_VERSION" ]; then
      wine_prefix_settings
      echo "$WINE_PREFIX_SETTINGS_VERSION" >"$stamp"
    fi
  ) 9>"$WINEPREFIX.lock"
}
