#!/usr/bin/env bash
# Installs what is missing, builds the game and its data (nothing else) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Same tree and flags as the test command, so either reuses what the other built; only the
# game and its archive are built here, the test suites and benchmarks are the test command's.
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRX_WERROR=ON -- --target brixeler3d
exec build/game/brixeler3d
