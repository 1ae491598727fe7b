#!/usr/bin/env bash
# Installs, builds and starts Tavimo on its built-in simulated line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default -j 2
exec ./build/default/app/gui/Tavimo --demo
