#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows program under Wine with the
# build's private prefix. Console output from Wine ends lines with CR LF; CTest
# does not mind.
#
# Once in a few hundred starts on a loaded machine wine64 ends at once with an
# error code, before the program has printed anything (seen while the previous
# program and Wine's desktop were still closing). Such a start is made once
# more; a program that fails on its own has printed something, or taken
# longer, and its failure stands.
set -uo pipefail
WINE_BUILD_DIR=${WINE_BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}
. "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/env.sh"

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  start=$(date +%s%N)
  wine64 "$@" >"$out" 2>"$err"
  rc=$?
  elapsed_ms=$((($(date +%s%N) - start) / 1000000))
  if [ "$rc" -ne 0 ] && [ "$attempt" -eq 1 ] && [ ! -s "$out" ] && [ ! -s "$err" ] && [ "$elapsed_ms" -lt 1000 ]; then
    echo "run.sh: wine64 ended after ${elapsed_ms} ms with code $rc and no output; starting it once more" >&2
    continue
  fi
  break
done
cat "$out"
cat "$err" >&2
exit "$rc"
