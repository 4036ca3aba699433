#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows program under Wine with the
# build's private prefix. Console output from Wine ends lines with CR LF; CTest
# does not mind.
set -euo pipefail
WINE_BUILD_DIR=${WINE_BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}
. "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/env.sh"
exec wine64 "$@"
