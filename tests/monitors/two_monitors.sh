#!/bin/bash
# Runs two_monitors_test.exe on two monitors under Wine: an Xvfb host, and
# on it Xephyr with two screens joined by Xinerama and without RandR (so
# Wine reports both monitors), the second right of the primary: two 800 x 600
# alike, then a 1024 x 768 landscape beside a 600 x 800 portrait.
# A Wine prefix of its own, without a virtual desktop, so Wine sees the X
# screens.
#   two_monitors.sh <build folder> <test exe>
# Skips (77) without Xephyr (Debian package xserver-xephyr).
set -uo pipefail
build=$(realpath "$1")
exe=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
for tool in Xvfb Xephyr; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is missing (scripts/install-deps.sh installs xvfb and xserver-xephyr)"
    exit 77
  fi
done

work="$build/two-monitors"
rm -rf "$work"
mkdir -p "$work"
export WINE_BUILD_DIR="$work" WINE_PREFIX_DIR="$work/prefix"
. "$root/tools/wine/env.sh"
log="$work/wine.log"
pids=()
passed=0
cleanup() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  [ "$passed" = 1 ] && rm -rf "$work"
}
trap cleanup EXIT

# A free display number from 200 up.
free_display() {
  local n=$1
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}
wait_for_display() {
  local end=$((SECONDS + 20))
  until xdpyinfo -display ":$1" >/dev/null 2>&1 || [ -e "/tmp/.X11-unix/X$1" ]; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}

host=$(free_display 200)
Xvfb ":$host" -screen 0 1700x900x24 -nolisten tcp >>"$log" 2>&1 &
pids+=($!)
wait_for_display "$host" || { echo "FAILED: the host display did not start"; exit 1; }

DISPLAY=":$host" WINEDEBUG=-all wine64 wineboot -i </dev/null >>"$log" 2>&1
wineserver -w
wine_install_fonts

failures=0
# The second monitor left of the primary (negative coordinates) cannot be
# made here: with Xinerama, Wine takes the leftmost screen as the primary
# whatever the order of the screens, so only layouts with the second on the
# right run.
for layout in right mixed; do
  wineserver -k </dev/null >/dev/null 2>&1; wineserver -w </dev/null >/dev/null 2>&1
  nested=$(free_display $((host + 1)))
  case $layout in
    mixed) screens=(-screen 1024x768+0+0 -screen 600x800+1024+0) ;;
    *) screens=(-screen 800x600+0+0 -screen 800x600+800+0) ;;
  esac
  DISPLAY=":$host" Xephyr ":$nested" "${screens[@]}" +xinerama -extension RANDR -nolisten tcp >>"$log" 2>&1 &
  xephyr=$!
  pids+=($xephyr)
  if ! wait_for_display "$nested"; then
    echo "FAILED: Xephyr did not start for the $layout layout"
    failures=$((failures + 1))
    continue
  fi
  echo "== layout: $layout"
  if ! DISPLAY=":$nested" WC_SECOND_MONITOR=$layout wine64 "$exe" </dev/null 2>>"$log" | tr -d '\r'; then
    failures=$((failures + 1))
  fi
  wineserver -k </dev/null >/dev/null 2>&1; wineserver -w </dev/null >/dev/null 2>&1
  kill "$xephyr" 2>/dev/null
  wait "$xephyr" 2>/dev/null
done
[ $failures = 0 ] && passed=1
exit $failures
