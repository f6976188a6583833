#!/usr/bin/env bash
# The whole game by keys alone, the pointer parked outside the window: the menu's focus moves
# with Down to New Game and Enter opens game selection; Down and Enter start Remover; the arrows
# move the board cursor and Enter removes the group under it (the score in the side panel
# changes); Escape leaves to the menu; Ctrl+N opens game selection and Escape comes back; F11 switches full screen on and off again, saved each
# time; Up from nothing focused, then Up again, wraps to Exit, and Enter ends the program with
# code 0.
# Set BRX_E2E_SHOTS to a folder to keep the pictures (xwd) of each step.
source "$(dirname "$0")/lib/common.sh"

# A picture of the window, named after the step.
shot() {
    shoot "$window" "$1"
}

# Pixels that differ visibly between two pictures, within a crop (WxH+X+Y) or the whole window.
differing() {
    visibly_differing_pixels "$@"
}

# Polls (up to $1 seconds) until the named check succeeds on a fresh dump called "now".
wait_until() {
    local limit="$1"
    shift
    for _ in $(seq 1 $((limit * 2))); do
        shot now
        "$@" && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
        sleep 0.5
    done
    return 1
}
differs_from() { [ "$(differing "$1" now)" -gt "$2" ]; }
close_to() { [ "$(differing "$1" now)" -lt "$2" ]; }
score_changed() { [ "$(differing before-enter now "$SCORE_AREA")" -gt 20 ]; }

key() {
    xdotool key --window "$window" "$@"
    sleep 0.4
}

SETTINGS="$WORK/game/Data/System.Cfg"

# One value of the settings file, unscrambled.
setting() {
    [ -f "$SETTINGS" ] || return 0
    unscramble "$SETTINGS" | awk -F= -v name="$1" '$1 == name { print $2 }'
}

# A key whose press makes the window go (a new one takes its place, or the game ends): the
# press goes to the window, the release straight to the server (the window that would take it
# is gone), so the key is never left held down there, repeating into later windows.
press_and_lose_window() {
    xdotool keydown --window "$window" "$1" 2>/dev/null || true
    sleep 0.2
    xdotool keyup "$1" 2>/dev/null || true
}

# Waits (up to 30 s) for the settings file to hold a value.
wait_for_setting() {
    for _ in $(seq 1 150); do
        [ "$(setting "$1")" = "$2" ] && return 0
        sleep 0.2
    done
    fail "$1 is '$(setting "$1")' in the settings file, expected $2 ($3)"
}

# The score of the side panel, in window pixels of the 800 x 600 window.
SCORE_AREA="140x50+630+45"

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
xdotool mousemove 0 0  # the pointer stays outside the window from here on
wait_still_picture "$window" now 60 || fail "the menu never held still"
[ "$(lit_pixels "$window")" -gt 100000 ] || fail "no menu drawn"
cp "$WORK/now.xwd" "$WORK/menu.xwd"

key Down  # focuses New Game: the dimmed Continue (no game yet) is no tab stop
wait_until 10 differs_from menu 0 || fail "Down did not light a menu button"
key Return
wait_until 30 differs_from menu 5000 || fail "Enter on New Game did not open game selection"
cp "$WORK/now.xwd" "$WORK/selection.xwd"

key Down
key Return
wait_until 30 differs_from selection 5000 || fail "Enter on Remover did not start a game"
wait_still_picture "$window" now 30 || fail "the game's intro never ended"

removed=""
key Left
for step in $(seq 1 12); do
    shot before-enter
    key Return
    if wait_until 3 score_changed; then
        removed="yes"
        break
    fi
    if [ $((step % 4)) -eq 0 ]; then key Down; else key Right; fi
done
[ -n "$removed" ] || fail "no group went with the arrows and Enter (the score never changed)"

key Escape
wait_until 30 close_to menu 20000 || fail "Escape did not lead back to the menu"
key ctrl+n
wait_until 30 differs_from menu 5000 || fail "Ctrl+N did not open game selection"
key Escape
wait_until 30 close_to menu 20000 || fail "Escape did not leave game selection"

# F11 switches to full screen through the window's re-creation and saves it at once, as the
# Options box does; F11 again switches back.
press_and_lose_window F11
wait_for_setting FullScreen 1 "F11 on the menu"
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after F11"
sleep 2
press_and_lose_window F11
wait_for_setting FullScreen 0 "F11 again"
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after the second F11"
sleep 2

key Up Up  # the first key focuses Continue, the second wraps to Exit
press_and_lose_window Return
expect_exit_0 "Enter on Exit"
expect_log_closed 0
echo "PASS"
