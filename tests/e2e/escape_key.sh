#!/usr/bin/env bash
# Escape reaches the game as virtual key 27. The bare shell (no screen active) quits on it with
# code 0; once the main menu is up, the menu takes Escape and nothing happens, so the game must
# then still be running and is closed by a close request instead.
source "$(dirname "$0")/lib/common.sh"

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 2  # let the start-up reach the main loop
xdotool key --window "$window" Escape
if code="$(wait_for_exit 5)"; then
    [ "$code" -eq 0 ] || fail "exit code $code after Escape"
else
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game vanished"
    kill -TERM "$GAME_PID"
    code="$(wait_for_exit 30)" || fail "the game did not end after the close request"
    [ "$code" -eq 0 ] || fail "exit code $code after a close request"
fi
expect_log_closed 0
echo "PASS"
