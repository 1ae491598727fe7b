#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (address and
# undefined-behaviour checks) and runs each for a while. Fails when a target
# finds a crash; the input that caused it is left in the build folder.
#
# Usage: scripts/fuzz.sh [seconds per target]   (default 30, or $FUZZ_SECONDS)
#        FUZZ_BUILD_DIR=... to choose the build folder (default build/fuzz)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-${FUZZ_SECONDS:-30}}"
build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"

if ! command -v clang++ >/dev/null ||
   [ ! -e "$(clang++ -print-runtime-dir 2>/dev/null)/libclang_rt.fuzzer-x86_64.a" ]; then
  bash "$root/scripts/setup.sh"
fi

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2

for target in fuzz-ini-document fuzz-settings-file; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s"
  "$build/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/$target-" "$corpus" "$root/tests/fuzz/seeds"
done
