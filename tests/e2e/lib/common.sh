# Shared steps of the whole-program tests: a private copy of the game, waiting for windows,
# screenshots, and waiting for the process to end. Every wait polls with a generous time-out.
set -euo pipefail

GAME_DIR="$1"
BUILD_DIR="$2"
GAME_TITLE="Brixeler 3D version 1.3"
SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"

# Re-run under a virtual X server when none is given (CTest normally provides one).
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$@"
fi

WORK="$(mktemp -d /tmp/brx-e2e.XXXXXX)"
GAME_PID=""
cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -KILL "$GAME_PID"; fi
    wait 2>/dev/null || true  # the watcher writes the exit code as the game ends
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/stdout.log" ] && { echo "--- program output"; tail -n 40 "$WORK/stdout.log"; } >&2
    [ -f "$WORK/game/Report.html" ] && { echo "--- Report.html"; cat "$WORK/game/Report.html"; } >&2
    exit 1
}

# A copy of the program (and, unless told otherwise, its archive) in a folder of its own, so
# the settings, score tables and log it writes stay out of the build tree.
install_game() {
    mkdir -p "$WORK/game/Data"
    cp "$GAME_DIR/brixeler3d" "$WORK/game/"
    if [ "${1:-with-data}" = "with-data" ]; then
        [ -f "$GAME_DIR/Data/Resource.Kvr" ] || fail "no Data/Resource.Kvr in $GAME_DIR (build the data)"
        ln -s "$(realpath "$GAME_DIR/Data/Resource.Kvr")" "$WORK/game/Data/Resource.Kvr"
    fi
}

# Starts a command from / in the background; a watcher records its exit code in a file, so
# any later subshell can read it, and GAME_PID names the process.
launch_from_root() {
    rm -f "$WORK/exit.code" "$WORK/game.pid"
    (
        cd /
        "$@" >"$WORK/stdout.log" 2>&1 &
        echo $! >"$WORK/game.pid"
        code=0
        wait $! || code=$?
        echo "$code" >"$WORK/exit.code"
    ) &
    for _ in $(seq 1 100); do
        [ -s "$WORK/game.pid" ] && break
        sleep 0.05
    done
    GAME_PID="$(cat "$WORK/game.pid")"
}

# Starts the installed copy from another folder (it must find its data by itself).
start_game() {
    launch_from_root env "$@" "$WORK/game/brixeler3d"
}

# Prints the id (decimal) of the first window named exactly $1, or nothing when there is none.
# xwininfo rather than xdotool: SDL's message boxes carry UTF-8 names xdotool cannot match.
window_named() {
    local id
    id="$(xwininfo -root -tree 2>/dev/null | grep -F " \"$1\": " | awk '{print $1}' |
          head -n 1 || true)"
    if [ -n "$id" ]; then echo $((id)); fi
}

# Prints the id (decimal) of the first window named exactly $1, polling up to $2 seconds.
wait_for_window() {
    local name="$1" limit="${2:-30}" id=""
    for _ in $(seq 1 $((limit * 10))); do
        id="$(window_named "$name")"
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the game to end and prints its exit code.
wait_for_exit() {
    local limit="${1:-30}"
    for _ in $(seq 1 $((limit * 10))); do
        if [ -s "$WORK/exit.code" ]; then
            cat "$WORK/exit.code"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds (default 30) for the game to end; it must end with code 0. $1 says
# what ended it, for the message.
expect_exit_0() {
    local code
    code="$(wait_for_exit "${2:-30}")" || fail "the game did not end after $1"
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}

# Asks the game to close (SIGTERM); it must end with code 0.
close_game() {
    kill -TERM "$GAME_PID"
    expect_exit_0 "a close request"
}

# File $1 with the rolling scramble of the settings file and score tables undone (the same
# operation puts it back), the key's bounds read from the game's source so the tests follow it.
unscramble() {
    local start last key byte out=""
    start="$(grep -o 'kScrambleStart = 0x[0-9A-Fa-f]*' "$SOURCE_DIR/core/ConfigFile.h" | awk '{print $3}')"
    last="$(grep -o 'kScrambleLast = 0x[0-9A-Fa-f]*' "$SOURCE_DIR/core/ConfigFile.h" | awk '{print $3}')"
    key=$((start))
    for byte in $(od -An -v -tu1 "$1"); do
        printf -v out '%s\\x%02x' "$out" $((byte ^ key))
        key=$((key == last ? start : key + 1))
    done
    printf '%b' "$out"
}

# The log must hold its opening and its closing lines, the error count as given.
expect_log_closed() {
    local errors="$1" log="$WORK/game/Report.html"
    [ -f "$log" ] || fail "no Report.html"
    grep -q "Log file opened:" "$log" || fail "Report.html lacks its opening line"
    grep -q "Total Errors = $errors" "$log" || fail "Report.html lacks 'Total Errors = $errors'"
    grep -q "Log file closed:" "$log" || fail "Report.html lacks its closing line"
}

source "$(dirname "${BASH_SOURCE[0]}")/window.sh"
