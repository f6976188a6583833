#!/usr/bin/env bash
# A game in progress survives the end of the program: a Remover game with groups taken is ended
# by closing the window, the next start's Continue shows the same board and score; then the
# same once more ended by SIGTERM. Continue is dimmed at the very first start, with no game.
source "$(dirname "$0")/lib/common.sh"

CLOSE_PROBE="$BUILD_DIR/tests/brx_close_probe"
[ -x "$CLOSE_PROBE" ] || fail "no close probe at $CLOSE_PROBE"
SAVE="$WORK/game/Data/Resume.Kv"
WIDTH=800
HEIGHT=600

# The virtual 800 x 600 screen is the window's size here: window pixels are virtual units with
# y turned downwards.
click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
    xdotool mousemove --window "$window" "$(($1 + 1))" "$2"
    sleep 0.1
    xdotool click --window "$window" 1
    sleep "${3:-0.5}"
}

# The window's pixels, one hex word a line (blue-green-red-pad), into file $1.
dump_pixels() {
    xwd -silent -id "$window" >"$WORK/shot.xwd"
    tail -c $((WIDTH * HEIGHT * 4)) "$WORK/shot.xwd" | od -An -v -tx4 -w4 >"$1"
    # For a person to look at: BRX_E2E_KEEP names a folder that receives every dump.
    if [ -n "${BRX_E2E_KEEP:-}" ]; then cp "$1" "$BRX_E2E_KEEP"/; fi
}

# Pixels that differ between two dumps inside the rectangle x0 y0 x1 y1 (window pixels).
differing() {
    paste -d ' ' "$1" "$2" | awk -v w="$WIDTH" -v x0="$3" -v y0="$4" -v x1="$5" -v y1="$6" '
        { i = NR - 1; x = i % w; y = int(i / w)
          if (x >= x0 && x < x1 && y >= y0 && y < y1 && $1 != $2) d++ }
        END { print d + 0 }'
}

# The score in the saved game (the seventh word of the game section).
saved_score() {
    od -An -tu4 -j $((12 + 8 + 6 * 4)) -N4 "$SAVE" | tr -d ' '
}

# Waits (up to $1 seconds) until dumps half a second apart stay the same ${2:-1} times in a row:
# the screen is still (the menu once loaded, a game once its intro is over and the board has
# settled). A start slowed down by a busy machine may hold one picture of its loading bar for
# a while, so the menu asks for a longer stillness.
wait_still() {
    local limit="$1" needed="${2:-1}" same=0
    dump_pixels "$WORK/still-a.txt"
    for _ in $(seq 1 $((limit * 2))); do
        sleep 0.5
        dump_pixels "$WORK/still-b.txt"
        if cmp -s "$WORK/still-a.txt" "$WORK/still-b.txt" &&
            [ "$(grep -vc ' 00000000$' "$WORK/still-b.txt")" -gt 1000 ]; then
            same=$((same + 1))
            [ "$same" -ge "$needed" ] && return 0
        else
            same=0
        fi
        mv "$WORK/still-b.txt" "$WORK/still-a.txt"
    done
    return 1
}

start_and_wait() {
    start_game
    window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
    # The pointer may rest wherever an earlier program left it, over a button that would light
    # up: it goes to the side panel first, where nothing lights.
    xdotool mousemove --window "$window" 30 300
    wait_still 60 6 || fail "the menu never came to rest"
}

# Clicks the spots given ("x y"), taking groups off the board where a group stands, then lets everything settle with the pointer over
# the side panel (nothing highlighted).
take_groups() {
    for spot in "$@"; do
        # shellcheck disable=SC2086
        click $spot 0.6
    done
    xdotool mousemove --window "$window" 30 300
    sleep 2
    wait_still 30 || true  # a trail may keep it moving; the save settles what is left
}

continue_game() {
    click 400 156 0  # Continue
    xdotool mousemove --window "$window" 30 300
}

ends_with_code_0() {
    local code
    code="$(wait_for_exit 30)" || fail "the game did not end after $1"
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
    expect_log_closed 0
}

# The game on screen matches the dump $1: the side panels (level, score) exactly, the board but
# for a few thousand pixels (a turning block, the glowing trail passing over it). Dumps are
# taken until it does, for up to 30 seconds (the intro flies in first); $2 names the case.
same_game_on_screen() {
    local board=0 panels=0
    for _ in $(seq 1 60); do
        dump_pixels "$WORK/now.txt"
        board="$(differing "$1" "$WORK/now.txt" 160 0 640 600)"
        panels="$(differing "$1" "$WORK/now.txt" 0 40 160 140)"
        panels=$((panels + $(differing "$1" "$WORK/now.txt" 640 40 800 140)))
        [ "$board" -lt 20000 ] && [ "$panels" -eq 0 ] && return 0
        sleep 0.5
    done
    fail "$2: the board differs in $board pixels, level and score in $panels"
}

install_game
start_and_wait
dump_pixels "$WORK/menu.txt"
click 400 156 1  # Continue without a game: nothing happens
dump_pixels "$WORK/menu-after.txt"
[ "$(differing "$WORK/menu.txt" "$WORK/menu-after.txt" 0 0 800 600)" -lt 2000 ] ||
    fail "Continue without a game left the menu"

# New Game, enough pointer moves for game selection to listen, Remover, its intro. Each screen
# is waited for (a slow build may take seconds to switch), so no click lands on the one before.
click 400 198 1
for step in $(seq 1 16); do
    xdotool mousemove --window "$window" $((300 + step)) 300
    sleep 0.05
done
wait_still 60 2 || fail "game selection never came to rest"
dump_pixels "$WORK/selection.txt"
click 400 51 1
wait_still 60 2 || fail "the Remover game never came to rest after its intro"
dump_pixels "$WORK/remover.txt"
[ "$(differing "$WORK/selection.txt" "$WORK/remover.txt" 0 0 800 600)" -gt 20000 ] ||
    fail "Remover did not start from game selection"
take_groups "360 300" "400 300" "440 300" "400 350" "360 400" "440 400"
dump_pixels "$WORK/before-close.txt"
"$CLOSE_PROBE" "$window" || fail "the close request could not be sent"
ends_with_code_0 "the window was closed"
[ -f "$SAVE" ] || fail "closing the window saved no game"
score="$(saved_score)"
[ "$score" -gt 0 ] || fail "the saved game has no points ($score)"

start_and_wait
# Now Continue has a game to return to: drawn lit where it was dimmed, New Game as before.
dump_pixels "$WORK/menu-with-save.txt"
[ "$(differing "$WORK/menu.txt" "$WORK/menu-with-save.txt" 280 140 520 166)" -gt 1000 ] ||
    fail "Continue looks the same with and without a saved game"
[ "$(differing "$WORK/menu.txt" "$WORK/menu-with-save.txt" 280 182 520 208)" -lt 100 ] ||
    fail "New Game changed its look"
continue_game
same_game_on_screen "$WORK/before-close.txt" "after closing the window"

take_groups "300 520" "340 520" "380 520" "420 520" "460 520" "500 520" "400 470"
dump_pixels "$WORK/before-term.txt"
kill -TERM "$GAME_PID"
ends_with_code_0 "SIGTERM"
[ "$(saved_score)" -gt "$score" ] || fail "the game saved on SIGTERM lost the later groups"

start_and_wait
continue_game
same_game_on_screen "$WORK/before-term.txt" "after SIGTERM"
kill -TERM "$GAME_PID"
ends_with_code_0 "the last SIGTERM"
echo "PASS"
