#!/usr/bin/env bash
# Fuzzes every reader of outside input (fuzz/<name>_fuzz.cpp) with libFuzzer.
# Builds the harnesses with clang (coverage, address and undefined-behaviour
# sanitizers) in build/fuzz, runs each for SECONDS seconds from its seed
# corpus fuzz/corpus/<name>/, and prints the executions per harness and the
# findings. Inputs libFuzzer adds are kept in build/fuzz/corpus/<name>/ for
# the next run; findings go to build/fuzz/findings/<name>/, logs to
# build/fuzz/logs/.
#
#   fuzz.sh [SECONDS]      (default 60 per harness)
#
# Exits with 1 when any harness found something.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: fuzz.sh [SECONDS]" >&2
  exit 2
fi
"$root/scripts/install-deps.sh" clang libclang-rt-dev
build="$root/build/fuzz"

# libjpeg-turbo built with coverage too, so that libFuzzer sees which of its
# branches an input reaches; without its source, the system's library.
jpeg_cache="$root/build/deps/libjpeg-turbo-fuzz"
jpeg_options=()
if "$root/scripts/build-libjpeg-turbo.sh" "$jpeg_cache" "$root/cmake/clang-fuzz.cmake" \
     -DWITH_SIMD=OFF -DREQUIRE_SIMD=OFF; then
  jpeg_options=(-DJPEG_LIBRARY="$jpeg_cache/install/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$jpeg_cache/install/include")
else
  echo "fuzz: libjpeg-turbo could not be built with coverage; the JPEG harness uses the system's library" >&2
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DWC_FUZZ=ON "${jpeg_options[@]}" >/dev/null
cmake --build "$build" --target fuzzers

names=()
for source in "$root"/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  names+=("$name")
done

total=0
failed=()
printf '%-16s %14s %10s  %s\n' harness executions "exec/s" findings
for name in "${names[@]}"; do
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  log="$build/logs/$name.log"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings" "$build/logs"
  # A unit slower than 20 s is a finding (a timeout), not a wait.
  "$build/fuzzers/fuzz_$name" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$root/fuzz/corpus/$name" >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  runs=${runs:-0}
  total=$((total + runs))
  found=$(find "$findings" -type f -printf '%f ' | sed 's/ $//')
  if [ -n "$found" ] || ! grep -q '^stat::number_of_executed_units' "$log"; then
    failed+=("$name")
    found=${found:-"the fuzzer stopped early, see $log"}
  fi
  printf '%-16s %14s %10s  %s\n' "$name" "$runs" "${speed:-?}" "${found:-none}"
done
printf '%-16s %14s\n' total "$total"

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}; the inputs are in $build/findings/, the reports in $build/logs/" >&2
  exit 1
fi
