#!/usr/bin/env bash
# Builds the release of the Windows program and makes its two files in
# build/dist/: WallpaperChanger-<version>-portable.zip and
# WallpaperChanger-<version>-setup.exe. The version is the version resource's
# (FILEVERSION in src/resources/resources.rc).
#   package.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build/windows"
# A build folder configured earlier keeps its own options (such as
# WC_JPEG_PREFIX); the release is always a Release build, whose program is
# stripped.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
# Only what goes into the packages: the program and what lies beside it.
cmake --build "$build" --target WallpaperChanger wc_help wc_language_files wc_program_art wc_program_images
mapfile -t made < <("$root/packaging/make-packages.sh" "$build/program" "$build/art" "$root/build/dist")
for f in "${made[@]}"; do
  echo "package: $f ($(stat -c %s "$f") bytes)"
done
