#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the normal
# build (window included, window tests on the offscreen platform), then the
# core and simulator tests once more under AddressSanitizer + UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default -j 2
ctest --preset default
cmake --preset sanitize
cmake --build --preset sanitize -j 2
ctest --preset sanitize
# The file readers once more, under libFuzzer, for a short time.
bash scripts/fuzz.sh 30
