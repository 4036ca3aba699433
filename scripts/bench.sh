#!/usr/bin/env bash
# Builds the benchmarks and runs each one natively (where it is portable) and
# under Wine, printing their figures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh" windows
# Native figures come from a build without the sanitizers.
cmake -S "$root" -B "$root/build/native-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWC_SANITIZE=OFF >/dev/null
cmake --build "$root/build/native-release"
export WINE_BUILD_DIR="$root/build/windows"
. "$root/tools/wine/env.sh"

# The folder also holds CMake's own subfolders, which count as executable:
# only regular executable files are benchmark programs.
for exe in "$root"/build/native-release/bench/*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  echo "== $(basename "$exe") (native)"
  "$exe"
done

# The capture benchmark measures a 1920 x 1080 screen: the benchmarks get a
# prefix of their own whose Wine desktop has that size.
export WINE_PREFIX_DIR="$root/build/windows/wineprefix-bench" WINE_DESKTOP_SIZE=1920x1080
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  "$0/tools/wine/server.sh" start
  for exe in "$0"/build/windows/bench/*.exe; do
    echo "== $(basename "$exe") (Windows build under Wine)"
    wine64 "$exe" | tr -d "\r"
  done
  "$0/tools/wine/server.sh" stop' "$root"
