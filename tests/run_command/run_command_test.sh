#!/usr/bin/env bash
# The README's run command as a new user meets it: scripts/run.sh shows a
# Wine desktop with its taskbar, the program's icon sits in it, and a right
# click on the icon opens the program's menu. All on an X server of its own
# (nobody else's pointer), with the built program copied into a folder of
# its own, so the build's program folder keeps no settings of this run.
#   run_command_test.sh <Windows build folder> <work folder>
# The screenshots stay in the work folder: taskbar.png (the icon found) and
# menu.png (the menu open).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?Windows build folder}" && pwd)
work=$(cd "${2:?work folder}" && pwd)/run-command
rm -rf "$work"
mkdir -p "$work/program"
cp -r "$build/program/." "$work/program/"
rm -f "$work/program/settings.ini" "$work/program/"*.qvl

fail() {
  echo "run_command: FAILED: $*"
  echo "run_command: the log and screenshots are in $work"
  exit 1
}

# Polls COMMAND every 0.2 s for up to SECONDS; true once it succeeds.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$end" ]; do
    "$@" && return 0
    sleep 0.2
  done
  "$@"
}

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
prefix=$build/run-command-prefix
cleanup() {
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "${run_pid:-}" ] && wait "$run_pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
read -r -t 30 number <&"$displayfd" || fail "the X server did not start"
export DISPLAY=:$number

# The prefix: made once from the test run's prepared one (a copy takes a
# second, a new prefix a minute), less the desktop that prefix gives every
# program, which a new user's prefix has not; run.sh adds what it needs.
if [ ! -f "$prefix/system.reg" ] && [ -f "$build/wineprefix/.prepared" ]; then
  rm -rf "$prefix.new"
  cp -a "$build/wineprefix" "$prefix.new" &&
    WINEPREFIX=$prefix.new WINEDEBUG=-all /usr/lib/wine/wine64 reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f \
      </dev/null >/dev/null 2>&1 &&
    WINEPREFIX=$prefix.new /usr/lib/wine/wineserver -w && mv "$prefix.new" "$prefix"
fi

RUN_BUILD_DIR=$work RUN_PREFIX_DIR=$prefix "$root/scripts/run.sh" </dev/null >"$work/run.log" 2>&1 &
run_pid=$!

desktop_window() { xdotool search --name '^WallpaperChanger - Wine desktop$' 2>/dev/null | head -n1; }
has_desktop() { [ -n "$(desktop_window)" ]; }
wait_for 90 has_desktop || fail "no Wine desktop window \"WallpaperChanger\" (run.sh: $(tr '\n' ' ' <"$work/run.log"))"
eval "$(xdotool getwindowgeometry --shell "$(desktop_window)")"
left=$X top=$Y width=$WIDTH height=$HEIGHT

# The taskbar: the rows at the foot of the desktop of the colour of its
# bottom-middle pixel. The icon: the box of pixels of another colour in its
# rightmost 64 columns (the notification area), 12 to 24 pixels a side.
find_icon() {
  import -window root "$work/taskbar.png" 2>/dev/null || return 1
  local foot=$((top + height - 64))
  read -r bar bar_top < <(
    convert "$work/taskbar.png" -crop "1x64+$((left + width / 2))+$foot" -depth 8 txt:- |
      awk -v y0="$foot" 'NR > 1 { split($1, p, /[,:]/); c[p[2]] = $3 }
        END { top = 63; while (top > 0 && c[top - 1] == c[63]) top--; print c[63], top + y0 }')
  local bar_height=$((top + height - bar_top))
  [ "$bar_height" -ge 16 ] && [ "$bar_height" -le 48 ] || return 1
  local area_left=$((left + width - 64))
  read -r icon_left icon_top icon_right icon_bottom < <(
    convert "$work/taskbar.png" -crop "64x$((bar_height - 4))+$area_left+$((bar_top + 2))" -depth 8 txt:- |
      awk -v bar="$bar" -v x0="$area_left" -v y0=$((bar_top + 2)) '
        NR > 1 && $3 != bar {
          split($1, p, /[,:]/); x = p[1] + x0; y = p[2] + y0
          if (n++ == 0) { l = r = x; t = b = y }
          if (x < l) l = x; if (x > r) r = x; if (y < t) t = y; if (y > b) b = y
        }
        END { if (n) print l, t, r + 1, b + 1; else print 0, 0, 0, 0 }')
  local w=$((icon_right - icon_left)) h=$((icon_bottom - icon_top))
  [ "$w" -ge 12 ] && [ "$w" -le 24 ] && [ "$h" -ge 12 ] && [ "$h" -le 24 ]
}
wait_for 60 find_icon ||
  fail "no taskbar with the program's icon at the foot of the desktop (taskbar colour ${bar:-none}, rows from ${bar_top:-?})"
echo "run_command: taskbar from row $bar_top (colour $bar), the icon at $icon_left,$icon_top-$icon_right,$icon_bottom"

# A right click on the icon opens the menu: a box of at least 150 x 150
# pixels that was not there, mostly light, standing on the taskbar over the
# icon's corner of the screen.
x=$(((icon_left + icon_right) / 2)) y=$(((icon_top + icon_bottom) / 2))
menu_open() {
  import -window root "$work/menu.png" 2>/dev/null || return 1
  box=$(convert "$work/taskbar.png" "$work/menu.png" -compose difference -composite -colorspace gray \
    -threshold 0 -format '%@' info:)
  read -r mw mh mx my <<<"$(tr 'x+' '  ' <<<"$box")"
  [ "${mw:-0}" -ge 150 ] && [ "${mh:-0}" -ge 150 ] && [ $((mx + mw)) -ge "$icon_left" ] &&
    [ $((my + mh)) -ge $((bar_top - 8)) ] || return 1
  light=$(convert "$work/menu.png" -crop "$box" -colorspace gray -format '%[fx:mean]' info:)
  awk -v l="$light" 'BEGIN { exit !(l > 0.7) }'
}
xdotool mousemove "$x" "$y" click 3
wait_for 20 menu_open || {
  # A click the desktop took while still settling: once more.
  xdotool mousemove "$x" "$y" click 3
  wait_for 20 menu_open
} || fail "no menu opened on a right click on the icon at $x,$y (changed area ${mw:-0}x${mh:-0}+${mx:-0}+${my:-0}, lightness ${light:-?})"
echo "run_command: the menu opened over ${mw}x${mh}+${mx}+${my} (lightness $light)"
echo "run_command: passed"
