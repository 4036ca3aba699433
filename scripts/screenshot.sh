#!/usr/bin/env bash
# Takes a picture of one of the program's windows as a user sees it, under
# Wine in a virtual X server, at a screen scale of choice.
#   screenshot.sh <window name> <out.png> [dpi] [--tray-menu]
# e.g. screenshot.sh MainForm docs/control-panel.png 144
# SHOT_LANGUAGE=French names the language in the settings the window starts with.
# Needs the Windows build (scripts/build.sh windows). SHOT_WAIT (seconds,
# 6 by default) is how long the window gets to appear: more on a busy machine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
window=${1:?window name}
out=${2:?output picture}
dpi=${3:-96}
menu=${4:-}
build="$root/build/windows"
tool="$build/tests/tools/show_window.exe"
[ -x "$tool" ] || { echo "screenshot: build the Windows program first (scripts/build.sh windows)" >&2; exit 1; }

export WINE_BUILD_DIR="$build"
export WINE_PREFIX_DIR="$build/shot-prefix-$dpi"
. "$root/tools/wine/env.sh"

# The X server picks a free display itself and tells which one: a display
# number chosen here could be another server's, whose screen we would take.
work=$(mktemp -d)
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1600x1200x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
read -r -t 20 number <&"$displayfd" || { echo "screenshot: the X server did not start" >&2; exit 1; }
display=:$number
export DISPLAY=$display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine64 wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
wine_install_fonts
wineserver -k >/dev/null 2>&1 || true
size=$(( 1024 * dpi / 96 ))x$(( 768 * dpi / 96 ))
for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  wine64 reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
done
wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Shot /f >/dev/null 2>&1
wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Shot /d "$size" /f >/dev/null 2>&1
# The scale is read when the server starts.
wineserver -k >/dev/null 2>&1 || true
wineserver -w || true

cp -r "$build/program/Images" "$build/program/"*.bmp "$build/program/"*.lng "$work/" 2>/dev/null || true
if [ -n "${SHOT_LANGUAGE:-}" ]; then
  printf '[language]\r\nvalue=%s\r\n' "$SHOT_LANGUAGE" >"$work/settings.ini"
fi
# SHOT_WAIT: seconds before the picture is taken (more on a busy machine).
wait_s=${SHOT_WAIT:-6}
wine64 explorer /desktop=Shot,"$size" "$tool" "Z:${work//\//\\}" "$window" $((wait_s + 2)) $menu >/dev/null 2>&1 &
shown=$!
sleep "$wait_s"
mkdir -p "$(dirname "$out")"
import -display "$display" -window root -crop "$size+0+0" +repage "$out"
wait "$shown" || true
echo "screenshot: $out ($size at $dpi DPI)"
