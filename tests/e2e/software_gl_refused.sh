#!/usr/bin/env bash
# On a software rasterizer (Mesa's softpipe here) the game refuses to run: the driver box
# appears, and once it is dismissed the game ends with code 1. The browser is kept from opening
# the driver page.
source "$(dirname "$0")/lib/common.sh"

install_game
start_game LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=softpipe BROWSER=true
box="$(wait_for_window "Error" 30)" || fail "no driver box appeared"
xdotool key --window "$box" Return
code="$(wait_for_exit 30)" || fail "the game did not end after the box"
[ "$code" -eq 1 ] || fail "exit code $code on a software rasterizer, expected 1"
expect_log_closed 0
echo "PASS"
