#!/usr/bin/env bash
# After a display change (here full screen on, from the options) the very first click on the
# menu counts: one click on Options opens them. The button that confirmed the change is let go
# only once the new window is up, where the pointer is outside it, so the game never hears
# that release: the way a player's click gets lost.
source "$(dirname "$0")/lib/common.sh"

window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'
}

# Clicks a point of the game's 800 x 600 virtual space (y upwards) in a window of any size.
click_at() {
    local window="$1" w h
    read -r w h < <(window_size "$window")
    xdotool mousemove --window "$window" $(($2 * w / 800)) $((h - $3 * h / 600)) click 1
    sleep 0.4
}

# The pointer out of the way, in the lower-right corner.
park_pointer() {
    local w h
    read -r w h < <(window_size "$1")
    xdotool mousemove --window "$1" $((w - 1)) $((h - 1))
    sleep 0.4
}

# The window's pixels, one a line.
pixels() {
    local w h
    read -r w h < <(window_size "$1")
    xwd -silent -id "$1" | tail -c $((w * h * 4)) | od -An -v -tx4 -w4
}

differing() {
    paste -d' ' "$1" "$2" | awk '$1 != $2 { n++ } END { print n + 0 }'
}

install_game
start_game SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3  # start-up behind the loading bar
click_at "$window" 400 359  # Options
click_at "$window" 440 468  # Full Screen
read -r w h < <(window_size "$window")
xdotool mousemove --window "$window" $((594 * w / 800)) $((h - 36 * h / 600)) mousedown 1
for _ in $(seq 1 100); do
    next="$(wait_for_window "$GAME_TITLE" 30)" || fail "the game window is gone"
    [ "$next" != "$window" ] && break
    sleep 0.1
done
[ "$next" != "$window" ] || fail "the window was not re-created"
window="$next"
sleep 2
xdotool mouseup 1
park_pointer "$window"
pixels "$window" >"$WORK/menu.txt"
read -r w h < <(window_size "$window")

click_at "$window" 400 359  # Options, once
park_pointer "$window"
pixels "$window" >"$WORK/after.txt"
changed="$(differing "$WORK/menu.txt" "$WORK/after.txt")"
[ "$changed" -gt $((w * h / 20)) ] ||
    fail "the first click after the display change was lost ($changed pixels changed)"
kill -TERM "$GAME_PID"
code="$(wait_for_exit 30)" || fail "the game did not end"
[ "$code" -eq 0 ] || fail "exit code $code"
echo "PASS"
