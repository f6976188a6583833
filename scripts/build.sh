#!/usr/bin/env bash
# Configures and builds one tree.
# Usage: scripts/build.sh <build-dir> [cmake options...] [-- build options, e.g. --target x]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
configure=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do configure+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
cmake -S . -B "$dir" -G Ninja "${configure[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" "$@"
