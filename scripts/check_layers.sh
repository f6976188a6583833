#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer. The layers, low to high:
#   platform core engine sound objects shell game screens app
# A folder may include its own headers and those of any layer below it. tests/<folder> follows
# the folder it mirrors (plus tests/support, which
# uses the core only); the fuzzers reach the objects' readers; tools/ may use the game's rule code and what lies
# below it; bench/ may use everything. Usage: scripts/check_layers.sh [source-root]
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
cd "$root"

layers=(platform core engine sound objects shell game screens app)
rank_of() {
    local i
    for i in "${!layers[@]}"; do
        if [[ "${layers[$i]}" == "$1" ]]; then echo "$i"; return; fi
    done
    echo -1
}

# The highest layer a file in this folder may include.
ceiling_of() {
    case "$1" in
        tests/support/*) rank_of core ;;
        tests/tools/*) rank_of game ;;
        tests/fuzz/*) rank_of game ;;
        tests/e2e/*) rank_of platform ;;
        tests/*) rank_of "$(echo "$1" | cut -d/ -f2)" ;;
        tools/*) rank_of game ;;
        bench/*) rank_of app ;;
        *) rank_of "$(echo "$1" | cut -d/ -f1)" ;;
    esac
}

failures=0
while IFS= read -r file; do
    ceiling=$(ceiling_of "$file")
    if [[ "$ceiling" == -1 ]]; then
        echo "check_layers: $file lies in no known layer" >&2
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r line; do
        target=$(echo "$line" | sed -E 's/^[^"]*"([^/"]+)\/.*/\1/')
        [[ "$target" == tests || "$target" == tools ]] && continue
        rank=$(rank_of "$target")
        if [[ "$rank" == -1 || "$rank" -gt "$ceiling" ]]; then
            echo "check_layers: $file: $line reaches above its layer" >&2
            failures=$((failures + 1))
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' "$file" || true)
done < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^build')

if [[ "$failures" -gt 0 ]]; then
    echo "check_layers: $failures upward include(s)" >&2
    exit 1
fi
echo "check_layers: every include points down"
