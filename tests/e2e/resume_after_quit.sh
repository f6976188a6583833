#!/usr/bin/env bash
# A game in progress survives the end of the program: a Remover game with groups taken is ended
# by closing the window, the next start's Continue shows the same board and score; then the
# same once more ended by SIGTERM. Continue is dimmed at the very first start, with no game.
source "$(dirname "$0")/lib/common.sh"

CLOSE_PROBE="$BUILD_DIR/tests/brx_close_probe"
[ -x "$CLOSE_PROBE" ] || fail "no close probe at $CLOSE_PROBE"
SAVE="$WORK/game/Data/Resume.Kv"
# The virtual 800 x 600 screen is the window's size here: the window pixels clicked are virtual
# units with y turned downwards.

# The score in the saved game (the seventh word of the game section).
saved_score() {
    od -An -tu4 -j $((12 + 8 + 6 * 4)) -N4 "$SAVE" | tr -d ' '
}

# Waits (up to $1 seconds) until the window has held still for ${2:-1} seconds (the
# menu once loaded, a game once its intro is over and the board has settled). A start slowed
# down by a busy machine may hold one picture of its loading bar for a while, so the menu asks
# for a longer stillness.
wait_still() {
    wait_still_picture "$window" still "$1" "${2:-1}"
}

start_and_wait() {
    start_game
    window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
    # The pointer may rest wherever an earlier program left it, over a button that would light
    # up: it goes to the side panel first, where nothing lights.
    xdotool mousemove --window "$window" 30 300
    wait_still 60 3 || fail "the menu never came to rest"
}

# Clicks the spots given ("x y"), taking groups off the board where a group stands, then lets everything settle with the pointer over
# the side panel (nothing highlighted).
take_groups() {
    for spot in "$@"; do
        # shellcheck disable=SC2086
        wiggle_click $spot 0.6
    done
    xdotool mousemove --window "$window" 30 300
    sleep 2
    wait_still 30 || true  # a trail may keep it moving; the save settles what is left
}

continue_game() {
    wiggle_click 400 156 0  # Continue
    xdotool mousemove --window "$window" 30 300
}

ends_with_code_0() {
    expect_exit_0 "$1"
    expect_log_closed 0
}

# The game on screen matches the picture $1: the side panels (level, score) exactly, the board but
# for a few thousand pixels (a turning block, the glowing trail passing over it). Pictures are
# taken until it does, for up to 30 seconds (the intro flies in first); $2 names the case.
same_game_on_screen() {
    local board=0 panels=0
    for _ in $(seq 1 60); do
        shoot "$window" now
        board="$(differing_pixels "$1" now 480x600+160+0)"
        panels="$(differing_pixels "$1" now 160x100+0+40 160x100+640+40)"
        [ "$board" -lt 20000 ] && [ "$panels" -eq 0 ] && return 0
        sleep 0.5
    done
    fail "$2: the board differs in $board pixels, level and score in $panels"
}

install_game
start_and_wait
shoot "$window" menu
wiggle_click 400 156 1  # Continue without a game: nothing happens
shoot "$window" menu-after
[ "$(differing_pixels menu menu-after)" -lt 2000 ] ||
    fail "Continue without a game left the menu"

# New Game, enough pointer moves for game selection to listen, Remover, its intro. Each screen
# is waited for (a slow build may take seconds to switch), so no click lands on the one before.
wiggle_click 400 198 1
wake_selection
wait_still 60 1 || fail "game selection never came to rest"
shoot "$window" selection
wiggle_click 400 51 1
wait_still 60 1 || fail "the Remover game never came to rest after its intro"
shoot "$window" remover
[ "$(differing_pixels selection remover)" -gt 20000 ] ||
    fail "Remover did not start from game selection"
take_groups "360 300" "400 300" "440 300" "400 350" "360 400" "440 400"
shoot "$window" before-close
"$CLOSE_PROBE" "$window" || fail "the close request could not be sent"
ends_with_code_0 "the window was closed"
[ -f "$SAVE" ] || fail "closing the window saved no game"
score="$(saved_score)"
[ "$score" -gt 0 ] || fail "the saved game has no points ($score)"

start_and_wait
# Now Continue has a game to return to: drawn lit where it was dimmed, New Game as before.
shoot "$window" menu-with-save
[ "$(differing_pixels menu menu-with-save 240x26+280+140)" -gt 1000 ] ||
    fail "Continue looks the same with and without a saved game"
[ "$(differing_pixels menu menu-with-save 240x26+280+182)" -lt 100 ] ||
    fail "New Game changed its look"
continue_game
same_game_on_screen before-close "after closing the window"

take_groups "300 520" "340 520" "380 520" "420 520" "460 520" "500 520" "400 470"
shoot "$window" before-term
kill -TERM "$GAME_PID"
ends_with_code_0 "SIGTERM"
[ "$(saved_score)" -gt "$score" ] || fail "the game saved on SIGTERM lost the later groups"

start_and_wait
continue_game
same_game_on_screen before-term "after SIGTERM"
kill -TERM "$GAME_PID"
ends_with_code_0 "the last SIGTERM"
echo "PASS"
