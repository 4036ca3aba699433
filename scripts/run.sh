#!/usr/bin/env bash
# Builds the program and runs it under Wine, in a Wine virtual desktop with
# its taskbar, where the program's icon sits and the wallpaper it sets can be
# seen. Uses the current X display; without one it starts a virtual X server
# (Xvfb) and says so.
# RUN_BUILD_DIR names a Windows build to run as it is (nothing is built
# then), RUN_PREFIX_DIR the Wine prefix (the build's run-prefix by default).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${RUN_BUILD_DIR:-$root/build/windows}
[ -n "${RUN_BUILD_DIR:-}" ] || "$root/scripts/build.sh" windows

export WINE_BUILD_DIR="$build"
export WINE_PREFIX_DIR="${RUN_PREFIX_DIR:-$build/run-prefix}"
. "$root/tools/wine/env.sh"

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  # The X server picks a free display itself and tells which one.
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  read -r -t 20 number <&"$displayfd" || { echo "run: the virtual X server did not start" >&2; exit 1; }
  export DISPLAY=:$number
  echo "run: no X display here; the program runs in a virtual X server (Xvfb) on $DISPLAY" >&2
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: preparing the Wine prefix (once)" >&2
  wine64 wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
wine_install_fonts
# The desktop's shell draws the taskbar, and so the notification area: the
# icon is the one way into the program. Wine versions differ on whether a
# desktop other than the default one gets its shell; it is asked for.
desktop=WallpaperChanger
wine64 reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f \
  >/dev/null 2>&1
# A server left from another display would keep the windows out of sight.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
cd "$build/program"
echo "run: WallpaperChanger.exe is running in the Wine desktop window \"$desktop\";" \
  "its icon sits in the taskbar there: a right click opens its menu." >&2
wine64 explorer "/desktop=$desktop,${WINE_DESKTOP_SIZE:-1024x768}" WallpaperChanger.exe "$@"
wineserver -w
