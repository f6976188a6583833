#!/usr/bin/env bash
# Escape on the main menu does nothing: the game must still run seconds later, and then end with
# code 0 on a close request. (The menu is made active before the loop reads its first event, so
# an Escape sent as soon as the window shows always reaches the menu.)
source "$(dirname "$0")/lib/common.sh"

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
xdotool key --window "$window" Escape
sleep 1
xdotool key --window "$window" Escape
if code="$(wait_for_exit 3)"; then
    fail "the game ended (code $code) on Escape at the main menu"
fi
kill -0 "$GAME_PID" 2>/dev/null || fail "the game vanished"
close_game
expect_log_closed 0
echo "PASS"
