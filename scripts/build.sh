#!/usr/bin/env bash
# Builds both configurations: the portable code natively (with the address
# and undefined-behaviour sanitizers) and the Windows program with MinGW-w64.
#   build.sh [native|windows|all]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-all}
"$root/scripts/install-deps.sh"

if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build/native"
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$root/build/windows"
fi
