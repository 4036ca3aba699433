#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the native tests first
# (fast, with sanitizers), then the Windows tests under Wine inside Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh" all

echo "== native tests"
(cd "$root/build/native" && ctest --output-on-failure -j2)

echo "== Windows tests under Wine"
cd "$root/build/windows"
# A private X server for the run: the program's windows and the desktop the
# tests take screenshots of live there.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2
