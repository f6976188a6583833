#!/usr/bin/env bash
# Undo and redo through the real window: a Strategy game, a click that removes a group (and so
# pushes a line), then Ctrl+Z must show the board, the next line and the score as they were
# before the click, and Ctrl+Y as they were after it (screenshots of the board and of the score
# panel compared). The undo button does the same as Ctrl+Z.
source "$(dirname "$0")/lib/common.sh"

# The board with the tray below it, and the score panel, in window pixels (y downwards). The
# strip at the top of the board, where a notice may show, is left out.
BOARD=(190 100 420 490)
PANEL=(640 15 120 185)
# Two pictures of one board at rest agree to the pixel; the room left is for a fading notice's
# edge. A move changes far more.
SAME_LIMIT=2500
MOVED_LIMIT=8000

click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
    xdotool mousemove --window "$window" "$(($1 + 1))" "$2"
    sleep 0.1
    xdotool click --window "$window" 1
    sleep "${3:-0.5}"
}

# The pointer over the empty top of the board, where it picks no group.
park() {
    xdotool mousemove --window "$window" 400 80
    sleep 0.1
    xdotool mousemove --window "$window" 401 80
    sleep 0.5
}

# One line per pixel (hex) of a rectangle of the window's picture $1 (an xwd dump).
region() {
    local dump="$1" x="$2" y="$3" w="$4" h="$5" width height
    width="$(xwininfo -id "$window" | awk '/Width:/ {print $2}')"
    height="$(xwininfo -id "$window" | awk '/Height:/ {print $2}')"
    tail -c $((width * height * 4)) "$dump" | od -An -v -tx4 -w4 |
        awk -v W="$width" -v x0="$x" -v y0="$y" -v w="$w" -v h="$h" \
            '{ i = NR - 1; c = i % W; r = int(i / W)
               if (c >= x0 && c < x0 + w && r >= y0 && r < y0 + h) print $1 }'
}

# Takes a picture named $1: the board and the score panel, one pixel a line.
picture() {
    xwd -silent -id "$window" >"$WORK/$1.xwd"
    [ -n "${BRX_E2E_SHOTS:-}" ] && cp "$WORK/$1.xwd" "$BRX_E2E_SHOTS/$1.xwd"
    { region "$WORK/$1.xwd" "${BOARD[@]}"; region "$WORK/$1.xwd" "${PANEL[@]}"; } >"$WORK/$1.txt"
}

differing() {
    paste -d' ' "$WORK/$1.txt" "$WORK/$2.txt" | awk '$1 != $2 { n++ } END { print n + 0 }'
}

# A picture named $1 once the board has come to rest: two in a row exactly alike.
# Exactly, not nearly: a random spin caught in one picture would otherwise stand for the board
# at rest and eat the margin of the comparisons below.
still_picture() {
    park
    picture "$1"
    for _ in $(seq 1 100); do
        sleep 0.3
        picture "$1-next"
        [ "$(differing "$1" "$1-next")" -eq 0 ] && return 0
        mv "$WORK/$1-next.txt" "$WORK/$1.txt"
    done
    fail "the game did not come to rest for the picture '$1'"
}

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3
click 400 198 1  # New Game
for step in $(seq 1 16); do  # game selection listens after a few pointer moves
    xdotool mousemove --window "$window" $((300 + step)) 300
    sleep 0.05
done
click 400 211 5  # Strategy, then the intro

still_picture before
moved=""
for x in 220 250 280 310 340 370 400 430 460 490 520 550 580; do
    click "$x" 517 1  # the bottom row of the board
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

click 667 584 1  # the undo button
still_picture button
[ "$(differing before button)" -lt "$SAME_LIMIT" ] ||
    fail "the undo button does not take the move back ($(differing before button) pixels differ)"

kill -TERM "$GAME_PID"
code="$(wait_for_exit 30)" || fail "the game did not end after the close request"
[ "$code" -eq 0 ] || fail "exit code $code after a close request"
expect_log_closed 0
echo "PASS"
