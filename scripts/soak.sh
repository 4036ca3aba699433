#!/usr/bin/env bash
# A random user for MINUTES minutes: the real program under Wine, on an X
# display and in a Wine prefix of its own, driven by tests/soak/soak_driver
# from SEED (the same seed does the same things in the same order). The run
# stops at the first broken invariant and prints the step, the seed and the
# command that replays it; the driver's log, Wine's log (with the backtrace
# of a crash) and the material stay in the work folder then.
#   soak.sh [MINUTES] [SEED] [LAST_STEP]
#     MINUTES    how long (10 by default); a run whose leak watch has not yet
#                judged 100 steps after warm-up goes on for them, up to twice
#                as long
#     SEED       which run (by default one from the clock, printed)
#     LAST_STEP  stop after this step (to replay a failure up to its step)
# SOAK_BUILD_DIR names the Windows build (build/windows by default; it is
# built first when run by hand), SOAK_DIR the work folder.
set -uo pipefail
minutes=${1:-10}
seed=${2:-$(date +%s)}
last=${3:-0}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SOAK_BUILD_DIR:-$root/build/windows}
if [ -z "${SOAK_BUILD_DIR:-}" ]; then
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 2
  fi
  cmake --build "$build" --target soak_driver >/dev/null || exit 2
fi
driver="$build/tests/soak/soak_driver.exe"
[ -f "$driver" ] || { echo "no $driver: build the target soak_driver"; exit 2; }

work=${SOAK_DIR:-$build/soak/seed-$seed}
rm -rf "$work"
mkdir -p "$work"
export WINE_BUILD_DIR="$work" WINE_PREFIX_DIR="$work/prefix"
. "$root/tools/wine/env.sh"
log="$work/wine.log"
out="$work/driver.log"
xvfb_pid=
cleanup() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  # The prefix (some 700 MB) is kept only after a failure.
  [ "${passed:-0}" = 1 ] && rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# An X server of its own: the soak's pointer, keys, focus and clipboard are
# nobody else's.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp </dev/null >>"$log" 2>&1 &
xvfb_pid=$!
exec 5>&-
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 2; }
export DISPLAY=":$(head -n1 "$work/display")"

# The prefix: a copy of the build's prepared one (a copy is made in a second;
# a new one takes a quarter of a minute), with a virtual desktop, the PDF
# printer where CUPS is, and no crash dialog: a crash ends the program with
# its backtrace in Wine's log.
template="$build/wineprefix"
"$root/tools/wine/printer.sh" || true
if [ -f "$template/.prepared" ]; then
  cp -a "$template" "$WINEPREFIX"
else
  wine64 wineboot -i </dev/null >>"$log" 2>&1
  wineserver -w
  wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$log" 2>&1
  wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >>"$log" 2>&1
  wine_install_fonts
  # The desktop is read when the server and Wine's explorer start: the ones
  # wineboot started run without it, and would draw no taskbar.
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
fi
wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >>"$log" 2>&1
wineserver -p </dev/null >/dev/null 2>&1
wine64 cmd /c exit </dev/null >/dev/null 2>&1

material=$(wine64 winepath -w "$work/material" </dev/null 2>>"$log" | tr -d '\r')
echo "soak: $minutes minutes, seed $seed, display $DISPLAY, work folder $work"
: >"$out"
# Through a file, not a pipe: the program the driver starts inherits its
# output and would hold a pipe open.
wine64 "$driver" "$material" "$minutes" "$seed" "$last" </dev/null >"$out" 2>>"$log" &
driver_pid=$!
tail -n +1 -f --pid="$driver_pid" "$out" | sed -u 's/\r$//'
wait "$driver_pid"
rc=$?
if [ "$rc" -ne 0 ]; then
  if grep -q -e "Unhandled exception" -e "Unhandled page fault" -e "Backtrace:" "$log"; then
    echo "== Wine's report of the crash ($log):"
    grep -A40 -e "Unhandled exception" -e "Unhandled page fault" "$log" | head -80
  fi
  echo "the driver's log, Wine's log and the material are in $work"
  exit 1
fi
passed=1
exit 0
