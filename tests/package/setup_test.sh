#!/usr/bin/env bash
# The setup program and the portable zip under Wine, in a fresh prefix of
# their own (the tests' shared prefix and its registry are never touched):
#   1. a silent per-user install with both options chosen: files, shortcut,
#      Uninstall entry, Run value, .qvl type;
#   2. the program started from the shortcut's target shows its tray icon;
#   3. a newer setup over it while it runs: the program is asked to close and
#      ends, the user's settings, playlist and sound list stay;
#   4. the silent uninstall: nothing of ours left in the folder or the
#      registry, the user's files kept (a language file of their own too),
#      the program's converted wallpapers gone from the per-user folder, and
#      that folder with them;
#   5. the portable zip unpacked elsewhere runs and keeps its settings beside
#      the program;
#   6. an install into a folder another program shares (/D=) and its
#      uninstall: that program's files stay, in the folders we share too, and
#      in the per-user folder only the converted wallpapers go;
#   7. on a Windows older than 10 version 1903 the setup says it needs that
#      version and installs nothing, shown or silent; the program, given no
#      UTF-8 code page, says the same in the user's language and ends.
# Every step waits for the state it needs. Prints the setup's size and the
# install's time.
#   setup_test.sh <windows build dir> <package_probe.exe>
set -uo pipefail
build=$(realpath "$1")
probe=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

for tool in makensis zip unzip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is missing (Debian packages nsis, zip, unzip; scripts/install-deps.sh installs them)"
    exit 77
  fi
done

work="$build/package-test"
rm -rf "$work"
mkdir -p "$work"
export WINE_BUILD_DIR="$work" WINE_PREFIX_DIR="$work/prefix"
. "$root/tools/wine/env.sh"
log="$work/wine.log"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# Every Wine process writes to the log, never to CTest's pipes, which a
# lingering process would keep open.
w() { wine64 "$@" </dev/null >>"$log" 2>&1; }
reg_has() { wine64 reg query "$1" ${2:+/v "$2"} </dev/null >>"$log" 2>&1; }
reg_value() { wine64 reg query "$1" /v "$2" </dev/null 2>>"$log" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# A key's default value (reg takes no /v for it).
reg_default() { wine64 reg query "$1" </dev/null 2>>"$log" | tr -d '\r' | sed -n "s/^ *(Default) *REG_[A-Z_]* *//p"; }
# Polls until the command succeeds, for at most $1 seconds.
wait_until() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
passed=0
# The prefix (some 700 MB) is kept only when a check failed, to look into.
cleanup() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  [ "$passed" = 1 ] && rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# --- the two releases: this version and a newer one to upgrade to
v1=$(sed -n 's/^ *FILEVERSION *\([0-9]\+\), *\([0-9]\+\), *\([0-9]\+\), *\([0-9]\+\).*/\1.\2.\3.\4/p' "$root/src/resources/resources.rc")
IFS=. read -r major minor patch build_no <<<"$v1"
v2="$major.$minor.$((patch + 1)).$build_no"
mapfile -t first < <("$root/packaging/make-packages.sh" "$build/program" "$build/art" "$work/v1" 2>>"$log")
mapfile -t second < <("$root/packaging/make-packages.sh" "$build/program" "$build/art" "$work/v2" "$v2" 2>>"$log")
zip_file=${first[0]:-}
setup1=${first[1]:-}
setup2=${second[1]:-}
if [ ! -f "$setup1" ] || [ ! -f "$setup2" ] || [ ! -f "$zip_file" ]; then
  echo "FAILED: the packages were not made; see $log"
  exit 1
fi
[[ "$(basename "$setup1")" == "WallpaperChanger-${v1%.0}-setup.exe" ]] || fail "setup named $(basename "$setup1"), not after version $v1"
echo "setup: $(basename "$setup1"), $(stat -c %s "$setup1") bytes; zip: $(basename "$zip_file"), $(stat -c %s "$zip_file") bytes"

# --- a fresh prefix with a virtual desktop (its taskbar holds the tray)
start=$SECONDS
w wineboot -i
wineserver -w
w reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
w reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
# Wine 8 says Windows 7 unless told otherwise; the setup needs Windows 10
# version 1903 or later (step 7 tells one copy of it otherwise).
w reg add 'HKCU\Software\Wine' /v Version /d win10 /f
wineserver -w
wine_install_fonts
wineserver -p </dev/null >/dev/null 2>&1
echo "fresh prefix made in $((SECONDS - start)) s"

users="$WINEPREFIX/drive_c/users/$(id -un)"
folder="$users/AppData/Local/Programs/Pellimox Free Wallpaper Changer"
shortcut="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pellimox Free Wallpaper Changer.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\PellimoxFreeWallpaperChanger'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wp() { wine64 winepath "$@" </dev/null 2>>"$log" | tr -d '\r'; }
# Through a file, not a pipe: a program the probe starts inherits its output
# and would hold a pipe open as long as it runs.
probe_out() {
  local rc=0
  wine64 "$probe" "$@" </dev/null >"$work/probe.out" 2>>"$log" || rc=$?
  tr -d '\r' <"$work/probe.out"
  return $rc
}

win_folder=$(wp -w "$folder")
program_run_value="\"$win_folder\\WallpaperChanger.exe\" -startup"
# --- 1. silent install with both options
start_ms=$(date +%s%N)
w "$setup1" /S /RUNATSTARTUP=1 /QVL=1 || fail "the setup ended with an error"
echo "silent install took $((($(date +%s%N) - start_ms) / 1000000)) ms"
for f in WallpaperChanger.exe English.lng French.lng Spanish.lng Romanian.lng Arabic.lng help.chm \
         moviepreview.bmp htmlpreview.bmp readme.txt uninstall.exe Images/Lakeside.jpg; do
  [ -f "$folder/$f" ] || fail "$f is not in the per-user program folder"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$uninstall_key" DisplayName)" = "Pellimox Free Wallpaper Changer" ] || fail "no Uninstall entry"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = "${v1%.0}" ] || fail "the Uninstall entry's version is not ${v1%.0}"
[ "$(reg_value "$uninstall_key" Publisher)" = "Pellimox" ] || fail "the Uninstall entry's publisher is not Pellimox"
quiet=$(reg_value "$uninstall_key" QuietUninstallString)
[ "$quiet" = "\"$win_folder\\uninstall.exe\" /S" ] || fail "QuietUninstallString is '$quiet'"
size=$(reg_value "$uninstall_key" EstimatedSize)
[ $((size)) -gt 500 ] || fail "EstimatedSize is '$size'"
[ "$(reg_value "$run_key" "Wallpaper Manager")" = "$program_run_value" ] || fail "no Run value for the program"
[ "$(reg_default 'HKCU\Software\Classes\.qvl')" = "Drapenix PlayList" ] || fail "no .qvl file type"
open_command=$(wine64 reg query 'HKCU\Software\Classes\Drapenix PlayList\Shell\Open\Command' </dev/null 2>>"$log" | tr -d '\r')
[[ "$open_command" == *"\"$win_folder\\WallpaperChanger.exe\" \"%1\""* ]] || fail ".qvl files do not open with the program: $open_command"

# --- 2. the program from the shortcut's target, with the user's own files
mapfile -t link < <(probe_out shortcut "$(wp -w "$shortcut")")
target=${link[0]:-}
[ "$target" = "$win_folder\\WallpaperChanger.exe" ] || fail "the shortcut points at '$target'"
printf '[Change at Startup]\r\nChecked=0\r\n[Interval Value]\r\nValue=37\r\n' >"$folder/settings.ini"
playlist=$(printf '%s\\Images\\Dunes.jpg\r\nmy dunes\r\n' "$win_folder")
printf '%s' "$playlist" >"$folder/DefPlayList.qvl"
printf 'C:\\windows\\media\\mine.wav\r\n' >"$folder/mine.krs"
probe_out start "$target" || fail "the installed program showed no tray icon"

# --- 3. the newer setup over the running program
start_ms=$(date +%s%N)
w "$setup2" /S || fail "the upgrade ended with an error"
echo "silent upgrade over the running program took $((($(date +%s%N) - start_ms) / 1000000)) ms"
if probe_out running "$target" >/dev/null; then
  fail "the program still runs after the upgrade"
  probe_out close "$target" >/dev/null
fi
[ "$(reg_value "$uninstall_key" DisplayVersion)" = "${v2%.0}" ] || fail "the upgrade did not record version ${v2%.0}"
grep -q '^Value=37' "$folder/settings.ini" || fail "the upgrade lost the user's settings.ini"
# The program ended through its own close, which stores its settings.
grep -q '^\[Last Wallpaper Index\]' "$folder/settings.ini" || fail "the program did not save its settings as it closed"
grep -q 'my dunes' "$folder/DefPlayList.qvl" || fail "the upgrade lost the user's playlist"
[ -f "$folder/mine.krs" ] || fail "the upgrade lost the user's sound list"
[ "$(reg_value "$run_key" "Wallpaper Manager")" = "$program_run_value" ] || fail "the upgrade dropped the Run value"

# --- 4. the silent uninstall, after the program's own registration through
# the machine's classes (its settings write there where they may)
w reg add 'HKLM\Software\Classes\.qvl' /ve /d "Drapenix PlayList" /f
w reg add 'HKLM\Software\Classes\Drapenix PlayList\Shell\Open\Command' /ve /d "\"$win_folder\\WallpaperChanger.exe\" \"%1\"" /f
# ... while the user's own classes name another copy (a portable one), whose
# registration is not ours to remove.
other_command='"C:\portable\WallpaperChanger.exe" "%1"'
w reg add 'HKCU\Software\Classes\Drapenix PlayList\Shell\Open\Command' /ve /d "$other_command" /f
# A language file the user made beside ours, and the wallpapers the program
# converted into its per-user folder.
printf '[Language]\r\n[Messages]\r\nMessage200=Mine\r\n' >"$folder/Mine.lng"
user_data="$users/AppData/Local/Pellimox Free Wallpaper Changer"
mkdir -p "$user_data"
touch "$user_data/WPCWallpaper.bmp" "$user_data/WPCWallpaper-1.bmp" "$user_data/WPCWallpaper-12.bmp"
w "$folder/uninstall.exe" /S || fail "the uninstaller ended with an error"
# It goes on from a copy of itself; removing itself is its last step.
wait_until 120 test ! -e "$folder/uninstall.exe" || fail "the uninstaller did not finish"
left=$(cd "$folder" 2>/dev/null && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$left" = "./DefPlayList.qvl ./Mine.lng ./mine.krs ./settings.ini " ] ||
  fail "the folder holds '$left', not only the user's files"
[ -e "$user_data" ] && fail "the per-user folder is left: $(ls "$user_data" | tr '\n' ' ')"
grep -q '^Value=37' "$folder/settings.ini" || fail "the silent uninstall changed the user's settings"
reg_has "$run_key" "Wallpaper Manager" && fail "the Run value is left"
reg_has "$uninstall_key" && fail "the Uninstall entry is left"
reg_has 'HKLM\Software\Classes\.qvl' && fail "HKLM\Software\Classes\.qvl is left"
reg_has 'HKLM\Software\Classes\Drapenix PlayList' && fail "HKLM\Software\Classes\Drapenix PlayList is left"
[ "$(reg_default 'HKCU\Software\Classes\Drapenix PlayList\Shell\Open\Command')" = "$other_command" ] ||
  fail "the uninstaller removed another copy's .qvl registration"
[ "$(reg_default 'HKCU\Software\Classes\.qvl')" = "Drapenix PlayList" ] ||
  fail "the uninstaller removed .qvl, which names another copy's type"
[ -e "$shortcut" ] && fail "the shortcut is left"

# --- 5. the portable zip, unpacked elsewhere, runs as it is
unzip -q "$zip_file" -d "$WINEPREFIX/drive_c/portable"
portable=$(wp -w "$(ls -d "$WINEPREFIX"/drive_c/portable/WallpaperChanger-*)")\\WallpaperChanger.exe
probe_out start "$portable" || fail "the program from the zip showed no tray icon"
probe_out close "$portable" || fail "the program from the zip did not close"
dir=$(wp -u "${portable%\\*}")
[ -f "$dir/settings.ini" ] && [ -f "$dir/DefPlayList.qvl" ] || fail "the program from the zip keeps no settings beside itself"

# --- 6. a folder another program shares, its own files in the folders we
# install into too; and the per-user folder holding more than our wallpapers
start=$SECONDS
shared="$WINEPREFIX/drive_c/SharedTools"
mkdir -p "$shared/licenses" "$shared/Images"
touch "$shared/other.exe" "$shared/Other.lng" "$shared/licenses/other-LICENSE.txt" "$shared/Images/theirs.jpg"
before=$(cd "$shared" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
w "$setup1" /S "/D=$(wp -w "$shared")" || fail "the install into a shared folder ended with an error"
[ -f "$shared/WallpaperChanger.exe" ] && [ -f "$shared/licenses/mingw-w64-runtime-copyright.txt" ] ||
  fail "the setup did not install into the shared folder"
mkdir -p "$user_data"
touch "$user_data/WPCWallpaper.bmp" "$user_data/WPCWallpaper-2.bmp" "$user_data/WPCWallpaper-0.bmp" \
      "$user_data/WPCWallpaper-2x.bmp" "$user_data/notes.txt"
w "$shared/uninstall.exe" /S || fail "the uninstaller of the shared folder ended with an error"
wait_until 120 test ! -e "$shared/uninstall.exe" || fail "the uninstaller of the shared folder did not finish"
after=$(cd "$shared" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$after" = "$before" ] || fail "the shared folder held '$before' and now holds '$after'"
kept=$(cd "$user_data" 2>/dev/null && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$kept" = "./WPCWallpaper-0.bmp ./WPCWallpaper-2x.bmp ./notes.txt " ] ||
  fail "the per-user folder holds '$kept', not only what is not the program's"

echo "install and uninstall in a shared folder took $((SECONDS - start)) s"

# --- 7. an older Windows, for a copy of the setup only (Wine takes the
# version per program)
start=$SECONDS
old_setup="$work/old-windows-setup.exe"
cp "$setup1" "$old_setup"
w reg add 'HKCU\Software\Wine\AppDefaults\old-windows-setup.exe' /v Version /d win7 /f
refused="$WINEPREFIX/drive_c/Refused"
rc=0
wine64 "$old_setup" /S "/D=$(wp -w "$refused")" </dev/null >>"$log" 2>&1 || rc=$?
[ "$rc" = 2 ] || fail "the silent setup on Windows 7 ended with code $rc, not 2 (refused)"
wine64 "$old_setup" "/D=$(wp -w "$refused")" </dev/null >>"$log" 2>&1 &
shown_setup=$!
said=$(probe_out answer "Windows 10 version 1903") || said=
if [[ "$said" == *"needs Windows 10 version 1903 or later"* ]]; then
  rc=0
  wait "$shown_setup" || rc=$?
  [ "$rc" = 2 ] || fail "the setup on Windows 7 ended with code $rc after its message, not 2"
else
  fail "the setup on Windows 7 did not say it needs Windows 10 version 1903"
  wineserver -k </dev/null >/dev/null 2>&1
  wait "$shown_setup"
fi
[ -e "$refused" ] && fail "the setup installed on Windows 7"
# The program where the system does not give it UTF-8: a copy whose
# manifest's code page request is made a comment of the same length (Wine
# honours the request whatever version it reports).
legacy="$WINEPREFIX/drive_c/legacy"
cp -r "$dir" "$legacy"
perl -0777 -pi -e 's{<activeCodePage[^>]*>UTF-8</activeCodePage>}{"<!--" . (" " x (length($&) - 7)) . "-->"}e' \
  "$legacy/WallpaperChanger.exe"
cmp -s "$dir/WallpaperChanger.exe" "$legacy/WallpaperChanger.exe" && fail "the copy's manifest still asks for UTF-8"
printf '[language]\r\nvalue=French\r\n' >"$legacy/settings.ini"
wine64 "$(wp -w "$legacy")\\WallpaperChanger.exe" </dev/null >>"$log" 2>&1 &
legacy_program=$!
said=$(probe_out answer "Windows 10 version 1903") || said=
if [[ "$said" == "Ce programme n"* ]]; then
  rc=0
  wait "$legacy_program" || rc=$?
  [ "$rc" = 1 ] || fail "the program without UTF-8 ended with code $rc after its message, not 1"
else
  fail "the program without UTF-8 did not say in French that it needs Windows 10 version 1903 (said '$said')"
  wineserver -k </dev/null >/dev/null 2>&1
  wait "$legacy_program"
fi
echo "the refusals on an older Windows took $((SECONDS - start)) s"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; Wine's output is in $log"
  exit 1
fi
passed=1
echo "all package checks passed"
