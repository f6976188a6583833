#!/usr/bin/env bash
# Ending the program its ordinary ways keeps what the player did. A Strategy game is lost and,
# while the name is being typed, the window is closed: the result is in the table, filed under
# the name typed so far. A Classic game pauses when the window loses the keyboard focus: the
# picture stands still although the next line fills every second while the game runs; P
# resumes it, and SIGTERM then ends the game with code 0 and a closed log. Ctrl+Q ends it too.
source "$(dirname "$0")/lib/common.sh"

CLOSE_PROBE="$BUILD_DIR/tests/brx_close_probe"
[ -x "$CLOSE_PROBE" ] || fail "no $CLOSE_PROBE (build target brx_close_probe)"

# Whether the name field shows: a row through it (virtual y 136, window y 464) is one plain
# grey, which the board, the tray and the pictures never are.
name_field_shows() {
    shoot "$window" field
    local colours
    colours="$(for x in $(seq 330 30 540); do list_pixels field "1x1+$x+464"; done | sort -u)"
    [ "$(wc -l <<<"$colours")" -eq 1 ] || return 1
    local red="${colours:2:2}" green="${colours:4:2}" blue="${colours:6:2}"
    [ "$blue" = "$green" ] && [ "$green" = "$red" ] && [ "$red" != "00" ] && [ "$red" != "ff" ]
}

open_game() {
    start_game
    window="$(wait_for_window "$GAME_TITLE" 60)" || fail "no game window appeared"
    xdotool windowfocus --sync "$window"
    sleep 3
}

# --- a name half typed when the window is closed --------------------------------------------
install_game
open_game
start_mode 211 4  # Strategy, then its intro
for attempt in $(seq 1 30); do  # more rounds for a slow (sanitizer) build; a quick one leaves early
    click_lower_board
    sleep 4  # the game-over picture, then the high-score screen
    name_field_shows && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during play"
done
name_field_shows || fail "the name field never showed"
xdotool type --window "$window" --delay 40 "Gil"
sleep 0.5
"$CLOSE_PROBE" "$window" || fail "the close request could not be sent"
expect_exit_0 "its window was closed"
expect_log_closed 0
# Read whole first: grep -q ending a pipe early would fail it under pipefail.
table="$(unscramble "$WORK/game/Data/TStrategy.Kv")"
grep -qx "Gil" <<<"$table" || fail "the name typed so far was not filed: $(tr '\n' ' ' <<<"$table")"

# --- a lost focus pauses a Classic game; SIGTERM ends the game cleanly ------------------------
open_game
start_mode 131 5  # Classic, then its intro
shoot "$window" running1
sleep 3
shoot "$window" running2
alike_pictures running1 running2 && fail "a running Classic game stood still"
xmessage -name brx-other "elsewhere" &
other_pid=$!
other=""
for _ in $(seq 1 50); do
    other="$(xdotool search --classname brx-other 2>/dev/null | head -n 1 || true)"
    [ -n "$other" ] && break
    sleep 0.1
done
[ -n "$other" ] || fail "no other window to take the focus"
xdotool windowfocus --sync "$other"
wait_still_picture "$window" paused1 30 || fail "the paused picture never came to rest"
sleep 4
shoot "$window" paused2
alike_pictures paused1 paused2 || fail "the game went on without the focus"
alike_pictures running2 paused1 && fail "no paused picture replaced the board"
xdotool windowfocus --sync "$window"
sleep 2
shoot "$window" paused3
alike_pictures paused1 paused3 || fail "the focus coming back resumed the game"
xdotool key --window "$window" p
sleep 3
shoot "$window" resumed
alike_pictures paused1 resumed && fail "P did not resume the game"
kill "$other_pid" 2>/dev/null || true
kill -TERM "$GAME_PID"
expect_exit_0 "SIGTERM"
expect_log_closed 0
grep -q "Ending on signal 15" "$WORK/game/Report.html" || fail "the log does not say why it ended"

# --- Ctrl+Q on the main menu --------------------------------------------------------------
open_game
# The window is gone before the keys are let go, which xdotool reports as an error.
xdotool key --window "$window" ctrl+q 2>/dev/null || true
expect_exit_0 "Ctrl+Q"
expect_log_closed 0
echo "PASS"
