#!/usr/bin/env bash
# The whole game by keys alone, the pointer parked outside the window: the menu's focus moves
# with Down to New Game and Enter opens game selection; Down and Enter start Remover; the arrows
# move the board cursor and Enter removes the group under it (the score in the side panel
# changes); Escape leaves to the menu; Up from nothing focused, then Up again, wraps to Exit,
# and Enter ends the program with code 0.
# Set BRX_E2E_SHOTS to a folder to keep the window dumps (xwd) of each step.
source "$(dirname "$0")/lib/common.sh"

# A dump of the window, named after the step.
shot() {
    xwd -silent -id "$window" >"$WORK/$1.xwd"
    if [ -n "${BRX_E2E_SHOTS:-}" ]; then mkdir -p "$BRX_E2E_SHOTS" && cp "$WORK/$1.xwd" "$BRX_E2E_SHOTS/"; fi
}

# Number of pixels that differ between two dumps, within a crop (WxH+X+Y) or the whole window.
differing() {
    python3 "$(dirname "$0")/lib/xwd_diff.py" "$WORK/$1.xwd" "$WORK/$2.xwd" ${3:+"$3"}
}

key() {
    xdotool key --window "$window" "$@"
    sleep 0.4
}

# The score of the side panel, in window pixels of the 800 x 600 window.
SCORE_AREA="140x50+630+45"

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
xdotool mousemove 0 0  # the pointer stays outside the window from here on
sleep 3
shot menu

key Down Down
shot new-game-focused
[ "$(differing menu new-game-focused)" -gt 0 ] || fail "Down did not light a menu button"
key Return
sleep 1
shot selection
[ "$(differing menu selection)" -gt 5000 ] || fail "Enter on New Game did not open game selection"

key Down
key Return
sleep 5  # the intro
shot game-start
[ "$(differing selection game-start)" -gt 5000 ] || fail "Enter on Remover did not start a game"

removed=""
key Left
for step in $(seq 1 12); do
    shot before-enter
    key Return
    sleep 1.5
    shot after-enter
    if [ "$(differing before-enter after-enter "$SCORE_AREA")" -gt 20 ]; then
        removed="yes"
        break
    fi
    if [ $((step % 4)) -eq 0 ]; then key Down; else key Right; fi
done
[ -n "$removed" ] || fail "no group went with the arrows and Enter (the score never changed)"

key Escape
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on Escape"
sleep 4  # the outro, then the menu
shot menu-again
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after the outro"
[ "$(differing menu menu-again)" -lt 20000 ] || fail "Escape did not lead back to the menu"

key Up Up  # the first key focuses Continue, the second wraps to Exit
# The window goes while the key is still held: its release cannot be delivered.
xdotool key --window "$window" Return 2>/dev/null || true
code="$(wait_for_exit 30)" || fail "Enter on Exit did not end the game"
[ "$code" -eq 0 ] || fail "exit code $code after Exit"
expect_log_closed 0
echo "PASS"
