#!/usr/bin/env bash
# Builds both configurations: the portable code natively (with the address
# and undefined-behaviour sanitizers) and the Windows program with MinGW-w64.
#   build.sh [native|windows|all]
# "all" builds the two trees side by side: each has steps that keep one core
# (the pictures, the links, the configure), which the other fills.
# WC_DEPS_CHECKED=1 skips the look for missing packages (the test command has
# made it already).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-all}
[ "${WC_DEPS_CHECKED:-0}" = 1 ] || "$root/scripts/install-deps.sh"
export WC_DEPS_CHECKED=1

case "$what" in
  native)
    # The sanitizers' usual flags: -O1 and line tables only, which build a
    # third faster than RelWithDebInfo's -O2 -g and still name file and line
    # in every report.
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" >/dev/null
    cmake --build "$root/build/native"
    ;;
  windows)
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$root/build/windows"
    ;;
  all)
    # The native tree's output goes to a log, shown whole once it is done,
    # so that the two do not interleave.
    mkdir -p "$root/build"
    log="$root/build/native-build.log"
    "$0" native >"$log" 2>&1 &
    native=$!
    rc=0
    "$0" windows || rc=$?
    native_rc=0
    wait "$native" || native_rc=$?
    echo "== native build"
    cat "$log"
    [ "$native_rc" -eq 0 ] || { echo "the native build failed"; exit "$native_rc"; }
    exit "$rc"
    ;;
  *)
    echo "usage: build.sh [native|windows|all]" >&2
    exit 2
    ;;
esac
