#!/usr/bin/env bash
# Makes the two release files from a built program folder: the portable zip
# and the setup program.
#   make-packages.sh <program-dir> <art-dir> <out-dir> [version]
# <program-dir> is the build's program/ folder (the program and what lies
# beside it), <art-dir> the build's art/ (the setup's icon). The version
# comes from the version resource (src/resources/resources.rc); an explicit
# one is for tests that need a second, newer setup. Prints the two paths.
# Needs zip and makensis (Debian packages zip and nsis).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
program=$(realpath "$1")
art=$(realpath "$2")
out=$(realpath -m "$3")

version4=${4:-}
if [ -z "$version4" ]; then
  version4=$(sed -n 's/^ *FILEVERSION *\([0-9]\+\), *\([0-9]\+\), *\([0-9]\+\), *\([0-9]\+\).*/\1.\2.\3.\4/p' \
    "$root/src/resources/resources.rc")
fi
[[ "$version4" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-packages: no version (got '$version4')" >&2; exit 1; }
version=${version4%.0}  # 2.1.0.0 -> 2.1.0; a build number stays

name="WallpaperChanger-$version"
stage="$out/stage/$name"
rm -rf "$stage"
mkdir -p "$stage/Images" "$stage/licenses"

# The program, stripped (a Release build already is; this makes sure).
x86_64-w64-mingw32-strip --strip-all -o "$stage/WallpaperChanger.exe" "$program/WallpaperChanger.exe"
cp "$program"/*.lng "$program/help.chm" "$program/moviepreview.bmp" "$program/htmlpreview.bmp" "$stage/"
[ "$(ls "$stage"/*.lng | wc -l)" -eq 5 ] || { echo "make-packages: expected five language files in $program" >&2; exit 1; }
cp "$program"/Images/*.jpg "$stage/Images/"
sed "s/@VERSION@/$version/" "$here/readme.txt" | sed 's/$/\r/' >"$stage/readme.txt"

# The licences of what is linked in: libjpeg-turbo (the texts of the Debian
# source tree scripts/build-libjpeg-turbo.sh unpacked, beside the build's
# WC_JPEG_PREFIX or in this tree's build/deps; else Debian's copyright file)
# and MinGW-w64's runtime (winpthreads and the CRT start-up code).
jpeg_prefix=$(sed -n 's/^WC_JPEG_PREFIX:[A-Z]*=//p' "$(dirname "$program")/CMakeCache.txt" 2>/dev/null || true)
jpeg_license=
for tree in ${jpeg_prefix:+"$jpeg_prefix/../src/tree"} "$root"/build/deps/libjpeg-turbo-*/src/tree; do
  if [ -f "$tree/LICENSE.md" ] && [ -f "$tree/README.ijg" ]; then jpeg_license=$tree; break; fi
done
if [ -n "$jpeg_license" ]; then
  cp "$jpeg_license/LICENSE.md" "$stage/licenses/libjpeg-turbo-LICENSE.md"
  cp "$jpeg_license/README.ijg" "$stage/licenses/libjpeg-turbo-README.ijg"
elif [ -f /usr/share/doc/libjpeg62-turbo/copyright ]; then
  cp /usr/share/doc/libjpeg62-turbo/copyright "$stage/licenses/libjpeg-turbo-copyright.txt"
else
  echo "make-packages: libjpeg-turbo's licence text not found" >&2; exit 1
fi
if [ -f /usr/share/doc/mingw-w64-common/copyright ]; then
  cp /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/mingw-w64-runtime-copyright.txt"
fi

# What the setup installs and its uninstaller removes, both read from the
# stage: the uninstaller deletes exactly the files the setup put there (a
# language file the user made, or another program's files in a shared
# folder, stay) and a folder only when that leaves it empty.
files="$out/stage/files.nsh"
nsis_path() { local p=${1#./}; p=${p//\$/\$\$}; printf '%s' "${p//\//\\}"; }
{
  echo '!macro INSTALL_FILES'
  while IFS= read -r dir; do
    if [ "$dir" = . ]; then echo '  SetOutPath "$INSTDIR"'; else echo "  SetOutPath \"\$INSTDIR\\$(nsis_path "$dir")\""; fi
    while IFS= read -r file; do
      echo "  File \"\${STAGE}\\$(nsis_path "$file")\""
    done < <(cd "$stage" && find "$dir" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort)
  done < <(cd "$stage" && find . -type d | LC_ALL=C sort)
  echo '  SetOutPath "$INSTDIR"'
  echo '!macroend'
  echo '!macro UNINSTALL_FILES'
  while IFS= read -r file; do
    echo "  Delete \"\$INSTDIR\\$(nsis_path "$file")\""
  done < <(cd "$stage" && find . -type f | LC_ALL=C sort)
  while IFS= read -r dir; do
    echo "  RMDir \"\$INSTDIR\\$(nsis_path "$dir")\""
  done < <(cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r)
  echo '!macroend'
} >"$files"

mkdir -p "$out"
zip_file="$out/$name-portable.zip"
setup_file="$out/$name-setup.exe"
rm -f "$zip_file" "$setup_file"
# The zip holds one folder named after the release: unpacked, it runs as it is.
(cd "$out/stage" && zip -q -r -X "$zip_file" "$name")
# The side picture of the setup's last page: the program's icon on the blues
# of the control panel's banner.
side="$out/stage/setup-side.bmp"
convert -size 314x164 gradient:'rgb(13,48,95)'-'rgb(111,178,234)' -rotate 90 \
  \( "$art/png/app256.png" -resize 112x112 \) -gravity north -geometry +0+56 -composite \
  -alpha off -type TrueColor BMP3:"$side"
makensis -V2 -DVERSION="$version" -DVERSION4="$version4" -DSTAGE="$stage" -DFILES="$files" -DICON="$art/app.ico" \
  -DSIDE="$side" -DOUTFILE="$setup_file" "$here/installer.nsi" >&2
rm -rf "$out/stage"
echo "$zip_file"
echo "$setup_file"
