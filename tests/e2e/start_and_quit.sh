#!/usr/bin/env bash
# The game starts from anywhere, shows its window with a drawn frame, ends with code 0 on a
# close request, and leaves a complete log without errors.
source "$(dirname "$0")/lib/common.sh"

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"

# Frames are being drawn: give the start-up a moment to reach the main loop, then look.
wait_for_drawing "$window" 30 || fail "the window stays blank"

# The window manager's close request (SDL turns SIGTERM into the same quit request).
close_game
expect_log_closed 0
[ -f "$WORK/game/Data/System.Cfg" ] || fail "the settings were not written beside the program"
echo "PASS"
