#!/usr/bin/env bash
# Over the game's window only the game's own cursor shows: the desktop pointer never does, in
# the first window and again in the new window made when the options switch to full screen
# (the test makes sure the window really was made anew). The game's cursor is either the
# pointer itself (a colour pointer made from its picture) or drawn by the game with the
# pointer hidden.
source "$(dirname "$0")/lib/common.sh"
PROBE="$BUILD_DIR/tests/brx_cursor_probe"
[ -x "$PROBE" ] || fail "no cursor probe at $PROBE"

pointer_over() {
    local window="$1"
    xdotool mousemove --window "$window" 200 200
    sleep 0.3
    "$PROBE"
}

# Polls (up to 10 s) until the pointer over the window is not the desktop's.
expect_game_pointer() {
    for _ in $(seq 1 50); do
        [ "$(pointer_over "$1")" != "$desktop" ] && return 0
        sleep 0.2
    done
    fail "the desktop pointer shows over the game ($2)"
}

desktop="$("$PROBE")"
[ "$desktop" != "hidden" ] || fail "the bare X server shows no pointer: the probe cannot tell"
install_game
start_game SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
expect_game_pointer "$window" "first window"

# Full screen through the options: a new window and context.
sleep 3  # start-up behind the loading bar
click_virtual "$window" 400 359  # Options
click_virtual "$window" 440 468  # full screen on
click_virtual "$window" 594 36   # OK
first="$window"
window="$(wait_for_new_window "$first" 30)" || fail "no new window was made for full screen"
if xwininfo -id "$first" >/dev/null 2>&1; then fail "the first window is still there"; fi
expect_game_pointer "$window" "after re-creation"

close_game
echo "PASS"
