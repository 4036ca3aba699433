#!/usr/bin/env bash
# Prepares the build's Wine prefix and keeps one warm wineserver for a whole
# test run.
#   server.sh prepare  make the prefix if missing (with the PDF printer and the
#                      fonts), leaving no server behind: the test command runs
#                      it while the program builds
#   server.sh start    prepare, then start a persistent server
#   server.sh stop     stop it
# Every stream of the server is redirected: a server that inherits CTest's pipes
# keeps them open and CTest would wait for it.
set -euo pipefail
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
. "$here/env.sh"

desktop_size=${WINE_DESKTOP_SIZE:-1024x768}

make_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.prepared" ] && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine64 wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
  wineserver -w
  # Every program of this prefix runs in one virtual desktop: the wallpaper is
  # drawn there, and a screenshot of the X screen shows it.
  wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 9>&-
  wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop_size" /f </dev/null >/dev/null 2>&1 9>&-
  wineserver -w
  touch "$WINEPREFIX/.prepared"
}

# A 3 MB disk of its own for the tests of writes that run out of room
# (tests skip themselves where it cannot be made: mounting needs root).
small_disk="$WINE_BUILD_DIR/small-disk"
mount_small_disk() {
  mkdir -p "$small_disk"
  if ! mountpoint -q "$small_disk" 2>/dev/null && [ "$(id -u)" -eq 0 ]; then
    mount -t tmpfs -o size=3m tmpfs "$small_disk" 2>/dev/null || true
  fi
}

# The prefix made and updated, with no server left running. Called with the
# lock on fd 9 held.
prepare() {
  # A server left from another X session would keep its windows invisible.
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  # The PDF printer first: a prefix sees the printers that existed when it
  # was last updated.
  printer=0
  "$here/printer.sh" && printer=1
  make_prefix
  if [ "$printer" = 1 ] && [ ! -f "$WINEPREFIX/.printer" ]; then
    wine64 wineboot -u </dev/null >/dev/null 2>&1 9>&- || true
    wineserver -w
    touch "$WINEPREFIX/.printer"
  fi
  wine_install_fonts
}

case "${1:-}" in
  prepare)
    (
      exec 9>"$WINE_BUILD_DIR/.wineprefix.lock"
      flock 9
      prepare
      wineserver -k </dev/null >/dev/null 2>&1 || true
      wineserver -w </dev/null >/dev/null 2>&1 || true
    )
    ;;
  start)
    (
      exec 9>"$WINE_BUILD_DIR/.wineprefix.lock"
      flock 9
      prepare
      mount_small_disk
      # The server outlives this script: it must not keep the lock either.
      wineserver -p </dev/null >/dev/null 2>&1 9>&-
      wine64 cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
    )
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    if mountpoint -q "$small_disk" 2>/dev/null; then umount "$small_disk" || true; fi
    ;;
  *)
    echo "usage: server.sh prepare|start|stop" >&2
    exit 2
    ;;
esac
