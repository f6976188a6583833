#!/usr/bin/env bash
# The layer check passes on the source tree and fails on a tree with one upward include.
set -euo pipefail
source_dir="$1"
check="$source_dir/scripts/check_layers.sh"
"$check" "$source_dir"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
git init -q .
mkdir -p engine game
printf '#include "core/Random.h"\n' > engine/Fine.cpp
printf '#pragma once\n' > game/Game.h
git add -A
"$check" "$scratch" >/dev/null
printf '#include "game/Game.h"\n' > engine/Upward.cpp
if "$check" "$scratch" 2>/dev/null; then
    echo "an include from engine/ into game/ passed the check" >&2
    exit 1
fi
echo "layer check: passes the tree, refuses an upward include"
