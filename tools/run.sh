#!/usr/bin/env bash
# Starts the Tessaly tools on a sample web server, from a fresh Debian 12 machine:
# installs what is missing, builds the Windows binaries, copies sample/Apache24 to
# build/sample/Apache24 and starts the Launcher under Wine.
#  - With DISPLAY set, the Launcher opens on your display (with Scrivel, once it exists).
#  - Without it, the Launcher runs on a virtual display inside Wine's desktop; the script
#    saves a screenshot, prints its path and ends.
# The settings "ApachePath" and Settings\Files are written only when they are not set yet.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build

bash "$root/tools/setup.sh"
source "$root/tools/build-folders.sh"
configure_windows_build >/dev/null
cmake --build "$build"

# The build put the server's manual and main logs there; the rest of the sample comes once,
# around what the build made.
server=$build/sample/Apache24
if [ ! -d "$server/conf" ]; then
  mkdir -p "$server"
  cp -rn "$root/sample/Apache24/." "$server"
fi

source "$root/tools/wine-session.sh"
headless=
if [ -z "${DISPLAY:-}" ]; then headless=1; fi
wine_session_start "$build"

key='HKCU\Software\Quorlane\Tessaly\Settings'
winserver=$(winepath -w "$server")
if ! wine reg query "$key" /v ApachePath >/dev/null 2>&1; then
  wine reg add "$key" /v ApachePath /t REG_SZ /d "$winserver" /f >/dev/null
fi
if ! wine reg query "$key\\Files" /v File0 >/dev/null 2>&1; then
  wine reg add "$key\\Files" /v File0 /t REG_SZ /d "$winserver\\conf\\httpd.conf" /f >/dev/null
  wine reg add "$key\\Files" /v File1 /t REG_SZ /d "$winserver\\conf\\access.conf" /f >/dev/null
fi
echo "run: server folder $server"

launcher=$(winepath -w "$build/bin/Launcher.exe")
if [ -z "$headless" ]; then
  echo "run: starting the Launcher; close it with its Exit button"
  wine "$launcher" /edit
  exit 0
fi

shots=$build/screenshots
mkdir -p "$shots"
shot=$shots/run.png
wine explorer /desktop=Tessaly,1024x768 "$launcher" /edit >/dev/null 2>&1 &
if ! wine "$(winepath -w "$build/tools-bin/WaitForEditor.exe")" 120; then
  echo "run: the editor did not come up within 120 s; the screenshot shows what there is" >&2
fi
import -window root "$shot"
echo "run: screenshot saved to $shot"
