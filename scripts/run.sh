#!/usr/bin/env bash
# Builds the program and runs it under Wine, in a Wine virtual desktop so the
# wallpaper it sets can be seen. Uses the current X display; without one it
# starts a virtual X server (Xvfb) and says so.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh" windows

build="$root/build/windows"
export WINE_BUILD_DIR="$build"
export WINE_PREFIX_DIR="$build/run-prefix"
. "$root/tools/wine/env.sh"

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "run: no X display here; starting the program in a virtual X server (Xvfb) on :77" >&2
  Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=:77
  sleep 1
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: preparing the Wine prefix (once)" >&2
  wine64 wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
wine_install_fonts
# A server left from another display would keep the windows out of sight.
wineserver -k >/dev/null 2>&1 || true
cd "$build/program"
echo "run: WallpaperChanger.exe is running in the Wine desktop window; its icon sits in the taskbar there." >&2
wine64 explorer "/desktop=WallpaperChanger,${WINE_DESKTOP_SIZE:-1024x768}" WallpaperChanger.exe "$@"
wineserver -w
