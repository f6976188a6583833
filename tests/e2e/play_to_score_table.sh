#!/usr/bin/env bash
# A whole game through the real window: menu, New Game, Strategy, clicks on the board until the
# game is lost, the name typed and Enter, the table written; Done, Escape and Exit end the
# program with code 0. A second run must find the first name in the table it loads and keep it
# when it files the next one.
source "$(dirname "$0")/lib/common.sh"

# The virtual 800 x 600 screen is the window's size here, so the window pixels clicked are
# virtual units with y turned downwards.
# The plain text of the Strategy table.
plain_table() {
    unscramble "$WORK/game/Data/TStrategy.Kv"
}

# The Strategy table on one line, for messages.
strategy_table() {
    plain_table | tr '\n' ' '
}

# Whether the Strategy table has a row named $1 (as written, "_" for spaces). The text is read
# whole first: grep -q ending a pipe early would fail it under pipefail.
table_has() {
    [ -f "$WORK/game/Data/TStrategy.Kv" ] || return 1
    local text
    text="$(plain_table)"
    grep -qx -- "$1" <<<"$text"
}

# Whether the high-score screen's name field is open: its inside (x 270..529, y 458..469 in
# window pixels) is one even grey, which no board under play ever is.
name_field_shown() {
    shoot "$window" field
    list_pixels field 260x12+270+458 | sort | uniq -c | sort -rn |
        awk 'NR == 1 { exit !($1 > 0.9 * 260 * 12) }'
}

# From the main menu: New Game, enough pointer moves for the selection screen to listen, then
# Strategy; clicks on the board until the game is lost and the name can be entered.
play_strategy_and_file() {
    local name="$1" filed="$2"
    start_mode 211 4  # Strategy, then its intro
    # Rounds until a deadline rather than a count: a click while blocks still move is not
    # taken, so a slow build on a busy machine needs more rounds to lose the game.
    local deadline=$((SECONDS + 600))
    while [ "$SECONDS" -lt "$deadline" ]; do
        click_lower_board
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during play"
        # The game-over picture, then the high-score screen, come up during some round of
        # clicks (which land on nothing there); the name is typed only into the open field, as
        # a name typed while the screen switches would lose its first letters.
        name_field_shown || continue
        xdotool type --window "$window" --delay 40 "$name"
        xdotool key --window "$window" Return
        for _ in $(seq 1 20); do
            table_has "$filed" && return 0
            sleep 0.5
        done
        fail "'$name' typed into the name field was not filed: $(strategy_table)"
    done
    fail "the game was not lost in 600 s of clicks: $(strategy_table)"
}

leave_to_exit() {
    wiggle_click 540 565 1  # Done: game selection
    wake_selection
    xdotool key --window "$window" Escape  # back to the menu
    sleep 1
    wiggle_click 400 407 0  # Exit
    expect_exit_0 "Exit"
}

install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3
play_strategy_and_file "Ann Lee" "Ann_Lee"
leave_to_exit
expect_log_closed 0

start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after the restart"
sleep 3
table_has "Ann_Lee" || fail "the restart lost the first result: $(strategy_table)"
play_strategy_and_file "Bob" "Bob"
table_has "Ann_Lee" ||
    fail "filing the second result lost the first: $(strategy_table)"
rows="$(plain_table)"
[ "$(wc -l <<<"$rows")" -eq 30 ] ||
    fail "the table no longer has ten rows"
leave_to_exit
expect_log_closed 0
echo "PASS"
