#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Same tree and flags as the test command, so either reuses what the other built.
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRX_WERROR=ON
exec build/game/brixeler3d
