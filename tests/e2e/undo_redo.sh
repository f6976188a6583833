#!/usr/bin/env bash
# Undo and redo through the real window: a Strategy game, a click that removes a group (and so
# pushes a line), then Ctrl+Z must show the board, the next line and the score as they were
# before the click, and Ctrl+Y as they were after it (screenshots of the board and of the score
# panel compared). The undo button does the same as Ctrl+Z.
source "$(dirname "$0")/lib/common.sh"

# The board with the tray below it, and the score panel, in window pixels (y downwards). The
# strip at the top of the board, where a notice may show, is left out.
AREAS=(420x490+190+100 120x185+640+15)
# Two pictures of one board at rest agree to the pixel; the room left is for a fading notice's
# edge. A move changes far more.
SAME_LIMIT=2500
MOVED_LIMIT=8000

# A picture named $1 once the board has come to rest, the pointer over the empty top of the
# board, where it picks no group.
still_picture() {
    park_pointer "$window" 401 80
    wait_still_picture "$window" "$1" 60 1 "${AREAS[@]}" ||
        fail "the game did not come to rest for the picture '$1'"
}

differing() {
    differing_pixels "$1" "$2" "${AREAS[@]}"
}

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3
start_mode 211 5  # Strategy, then its intro

still_picture before
moved=""
for x in 220 250 280 310 340 370 400 430 460 490 520 550 580; do
    wiggle_click "$x" 517 1  # the bottom row of the board
    still_picture after
    if [ "$(differing before after)" -gt "$MOVED_LIMIT" ]; then
        moved="$x"
        break
    fi
done
[ -n "$moved" ] || fail "no click on the bottom row removed a group"

xdotool key --window "$window" ctrl+z
sleep 5  # the practice notice fades (slowly in a sanitizer build)
still_picture undone
[ "$(differing before undone)" -lt "$SAME_LIMIT" ] ||
    fail "Ctrl+Z does not bring back the board and score ($(differing before undone) pixels differ)"

xdotool key --window "$window" ctrl+y
sleep 3  # whatever the undo left fading is gone
still_picture redone
[ "$(differing after redone)" -lt "$SAME_LIMIT" ] ||
    fail "Ctrl+Y does not bring back the move ($(differing after redone) pixels differ)"

wiggle_click 667 584 1  # the undo button
still_picture button
[ "$(differing before button)" -lt "$SAME_LIMIT" ] ||
    fail "the undo button does not take the move back ($(differing before button) pixels differ)"

close_game
expect_log_closed 0
echo "PASS"
