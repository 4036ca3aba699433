#!/usr/bin/env bash
# The end-to-end checks that write files, run as a standard Windows user
# runs the program: an ordinary account (made here when missing), a Wine
# prefix of its own whose C:\windows and C:\Program Files are read-only
# (chmod 555), as they are to a user without administrator rights, and the
# program copied into folders the account owns. Root's runs forgive every
# write; this one does not.
#
# It has an X server and a wineserver of its own, so it shares nothing with
# the other tests. Skips (77) when not run as root (making the account and
# switching to it need root).
#   standard_user_test.sh <windows build dir> <program.exe> <pictures dir> <test.exe>[:<gtest filter>] ...
set -uo pipefail
build=$(realpath "$1")
program=$(realpath "$2")
pictures=$(realpath "$3")
shift 3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: making and using the standard account needs root"
  exit 77
fi
user=wcstandard
if ! id -u "$user" >/dev/null 2>&1; then
  useradd --create-home --shell /bin/bash "$user" || { echo "FAILED: cannot make the account $user"; exit 1; }
fi
home=$(getent passwd "$user" | cut -d: -f6)
prefix="$home/wineprefix"
stage="$home/stage"
log="$build/standard-user.log"
: >"$log"

# Only what Wine needs: nothing of root's environment leaks into the account.
as_user() {
  runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" PATH="/usr/lib/wine:/usr/bin:/bin" \
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 \
    DISPLAY="${display:-}" "$@"
}
# Every stream of a Wine helper goes to the log: a lingering server would
# otherwise keep CTest's pipes open.
quiet() { as_user "$@" </dev/null >>"$log" 2>&1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# --- an X server of the account's own (no -auth: the account's clients may connect)
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >>"$log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
display=":$(head -n1 "$displayfile")"
rm -f "$displayfile"
cleanup() {
  quiet wineserver -k || true
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
[ "$display" != ":" ] || { echo "FAILED: Xvfb did not start; see $log"; exit 1; }

# --- the account's prefix, made once and kept (some 700 MB); a Wine of
# another version makes it anew
version=$(wine64 --version 2>/dev/null)
if [ ! -f "$prefix/.prepared" ] || [ "$(cat "$prefix/.prepared")" != "$version" ]; then
  echo "making the standard user's prefix"
  [ -d "$prefix/drive_c" ] && chmod -R u+w "$prefix/drive_c" 2>/dev/null
  rm -rf "$prefix"
  quiet wine64 wineboot -i
  quiet wineserver -w
  quiet wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
  quiet wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
  quiet wineserver -w
  if [ -d /usr/share/wine/fonts ]; then
    quiet sh -c "cp -n /usr/share/wine/fonts/*.tt? '$prefix/drive_c/windows/Fonts/'"
  fi
  [ -f "$prefix/system.reg" ] || { echo "FAILED: the prefix was not made; see $log"; exit 1; }
  printf '%s' "$version" >"$prefix/.prepared"
fi
# Read-only as to a standard user: nothing new in the Windows folder or in
# Program Files.
for f in "windows" "Program Files" "Program Files (x86)"; do
  [ -d "$prefix/drive_c/$f" ] && chmod 555 "$prefix/drive_c/$f"
done
quiet wineserver -k || true
quiet wineserver -w || true

# --- what the tests read, where the account may read it (the build folder
# may lie in a folder it may not enter)
rm -rf "$stage"
install -d -o "$user" "$stage" "$stage/pictures"
install -o "$user" -m 644 "$program" "$stage/WallpaperChanger.exe"
install -o "$user" -m 644 "$pictures"/* "$stage/pictures/"
# A copy in Program Files, as someone copying the program there by hand
# leaves it: the folder is root's, so the account may not write in it.
by_hand="$prefix/drive_c/Program Files/Pellimox Free Wallpaper Changer"
rm -rf "$by_hand"
install -d -m 755 "$by_hand"
install -m 644 "$program" "$by_hand/WallpaperChanger.exe"
cp "$(dirname "$program")"/*.lng "$by_hand/" 2>/dev/null

quiet wineserver -p
quiet wine64 cmd /c exit
failures=0
for run in "$@"; do
  exe=${run%%:*}
  filter='*'
  [ "$run" != "$exe" ] && filter=${run#*:}
  name=$(basename "$exe")
  install -o "$user" -m 755 "$exe" "$stage/$name"
  echo "== $name ($filter) as $user"
  # The test's own output goes to CTest; the program it starts inherits
  # nothing but these pipes, and ends before the test does.
  as_user env WC_PROGRAM_EXE="$(winpath "$stage/WallpaperChanger.exe")" \
    WC_TEST_PICTURES="$(winpath "$stage/pictures")" \
    WC_READ_ONLY_PROGRAM_FOLDER='C:\Program Files\Pellimox Free Wallpaper Changer' \
    wine64 "$stage/$name" --gtest_filter="$filter" </dev/null
  rc=$?
  [ "$rc" -eq 0 ] || { echo "FAILED: $name as $user (exit code $rc)"; failures=$((failures + 1)); }
done
# Nothing of ours went into the read-only folders.
for f in "windows/WPCWallpaper.bmp" "Program Files/Pellimox Free Wallpaper Changer/settings.ini"; do
  [ -e "$prefix/drive_c/$f" ] && { echo "FAILED: C:\\$f was written"; failures=$((failures + 1)); }
done
[ "$failures" -eq 0 ] || { echo "$failures failed; Wine's own output is in $log"; exit 1; }
echo "every check passed as $user"
