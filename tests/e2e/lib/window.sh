# Steps on the game's window shared by the whole-program tests: the pointer (clicks, parking),
# pictures of the window (xwd dumps in $WORK, compared with xwd_pixels.py) and waits for a
# picture at rest or a new window. Sourced by lib/common.sh. Functions without a window
# argument act on the window whose id is in $window. Set BRX_E2E_SHOTS to a folder to keep
# every picture taken, for a person to look at.

XWD_PIXELS="$(dirname "${BASH_SOURCE[0]}")/xwd_pixels.py"
STILL_GAP=0.3  # seconds between two pictures that must agree for the window to be at rest

# Prints the width and height of window $1.
window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'
}

# Clicks window pixel $1 $2 after a one-pixel move (some screens listen only once the pointer
# moves), then waits ${3:-0.5} seconds.
wiggle_click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
    xdotool mousemove --window "$window" "$(($1 + 1))" "$2"
    sleep 0.1
    xdotool click --window "$window" 1
    sleep "${3:-0.5}"
}

# Clicks a point of the game's 800 x 600 virtual space (y upwards) in window $1 of any size.
click_virtual() {
    local w h
    read -r w h < <(window_size "$1")
    xdotool mousemove --window "$1" $(($2 * w / 800)) $((h - $3 * h / 600)) click 1
    sleep 0.4
}

# Parks the pointer at pixel $2 $3 of window $1 (the lower-right corner when not given) in two
# one-pixel steps, so a control left highlighted under the pointer loses the highlight.
park_pointer() {
    local w h x y
    read -r w h < <(window_size "$1")
    x="${2:-$((w - 1))}" y="${3:-$((h - 1))}"
    xdotool mousemove --window "$1" $((x - 1)) $((y - 1))
    sleep 0.1
    xdotool mousemove --window "$1" "$x" "$y"
    sleep 0.4
}

# Moves the pointer about game selection, which ignores the click that opened it until a move.
wake_selection() {
    for step in $(seq 1 16); do
        xdotool mousemove --window "$window" $((300 + step)) 300
        sleep 0.05
    done
}

# From the main menu of an 800 x 600 window: New Game, the pointer moves game selection waits
# for, then the mode whose button is at window y $1 (Remover 51, Classic 131, Strategy 211);
# waits $2 seconds while its intro starts.
start_mode() {
    wiggle_click 400 198 1  # New Game
    wake_selection
    wiggle_click 400 "$1" "$2"
}

# Clicks a grid over the lower board, as a player who does not look would, once: enough
# rounds of it lose a Strategy game.
click_lower_board() {
    for x in 300 340 380 420 460 500; do
        for y in 500 460 420; do wiggle_click "$x" "$y" 0.12; done
    done
}

# Takes a picture of window $1 into $WORK/$2.xwd.
shoot() {
    xwd -silent -id "$1" >"$WORK/$2.xwd"
    if [ -n "${BRX_E2E_SHOTS:-}" ]; then mkdir -p "$BRX_E2E_SHOTS" && cp "$WORK/$2.xwd" "$BRX_E2E_SHOTS/"; fi
}

# Prints the number of lit (not black) pixels of window $1.
lit_pixels() {
    shoot "$1" lit
    python3 "$XWD_PIXELS" lit "$WORK/lit.xwd"
}

# Waits up to $2 seconds until window $1 shows a drawn frame (more than 100 lit pixels); says
# how many there were on stderr when it never does.
wait_for_drawing() {
    local lit=0 started=$SECONDS
    while [ $((SECONDS - started)) -lt "$2" ]; do
        lit="$(lit_pixels "$1")"
        [ "$lit" -gt 100 ] && return 0
        sleep 0.2
    done
    echo "$lit lit pixels" >&2
    return 1
}

# Prints how many pixels of pictures $1 and $2 differ at all, within the crops given
# (WIDTHxHEIGHT+X+Y, window pixels) or the whole window.
differing_pixels() {
    python3 "$XWD_PIXELS" diff --exact "$WORK/$1.xwd" "$WORK/$2.xwd" "${@:3}"
}

# Prints how many pixels of pictures $1 and $2 differ by more than a few steps in a channel.
visibly_differing_pixels() {
    python3 "$XWD_PIXELS" diff "$WORK/$1.xwd" "$WORK/$2.xwd" "${@:3}"
}

# Prints the pixels of picture $1 within crop $2 (or all), one a line, hex pad-red-green-blue.
list_pixels() {
    python3 "$XWD_PIXELS" list "$WORK/$1.xwd" "${@:2}"
}

# Whether pictures $1 and $2 are exactly alike within the crops that follow (or whole).
alike_pictures() {
    if [ $# -eq 2 ]; then
        cmp -s "$WORK/$1.xwd" "$WORK/$2.xwd"
    else
        [ "$(differing_pixels "$@")" -eq 0 ]
    fi
}

# Milliseconds on the wall clock.
now_ms() {
    local now="${EPOCHREALTIME/./}"
    echo $((now / 1000))
}

# Waits up to $3 seconds until window $1 is at rest: every picture taken for ${4:-1} seconds
# ($STILL_GAP s apart) exactly alike within the crops that follow (or the whole window), and
# not all black. Exactly, not nearly, and for longer than a block's random turn (512 ms): a
# turn caught in one picture, or by a game starved of time on a busy machine in two, must not
# pass for the board at rest. The last picture is left in $WORK/$2.xwd.
wait_still_picture() {
    local window_id="$1" name="$2" limit="$3" still_ms=$((${4:-1} * 1000)) started=$SECONDS
    local crops=("${@:5}") alike_since
    shoot "$window_id" "$name"
    alike_since="$(now_ms)"
    while [ $((SECONDS - started)) -lt "$limit" ]; do
        sleep "$STILL_GAP"
        mv "$WORK/$name.xwd" "$WORK/$name-before.xwd"
        shoot "$window_id" "$name"
        if ! alike_pictures "$name-before" "$name" "${crops[@]}"; then
            alike_since="$(now_ms)"
        elif [ $(($(now_ms) - alike_since)) -ge "$still_ms" ] &&
            [ "$(python3 "$XWD_PIXELS" lit "$WORK/$name.xwd" "${crops[@]}")" -gt 1000 ]; then
            return 0
        fi
    done
    return 1
}

# Prints the id of a game window other than $1, polling up to $2 seconds (a window re-created
# for another display mode).
wait_for_new_window() {
    local old="$1" limit="$2" id
    for _ in $(seq 1 $((limit * 10))); do
        id="$(window_named "$GAME_TITLE")"
        if [ -n "$id" ] && [ "$id" != "$old" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
