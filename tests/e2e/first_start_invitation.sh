#!/usr/bin/env bash
# The very first start (no settings file yet) shows one yellow line under the menu's buttons
# inviting the player to Help; the settings are written at that start, and the next start
# does not show the line again.
source "$(dirname "$0")/lib/common.sh"

# Yellow pixels of the band under the menu buttons in picture $1 (window pixels from the top
# left).
yellow_under_buttons() {
    list_pixels "$1" 400x40+200+430 |
        awk '{ # Two hex digits a channel compare as text: "b4" is 180, "5a" is 90.
               red = substr($1, 3, 2); green = substr($1, 5, 2); blue = substr($1, 7, 2)
               if (red >= "b4" && green >= "b4" && blue < "5a") n++ } END { print n + 0 }'
}

# Starts the game, waits for its menu and prints the yellow count of the band; then quits.
look_at_menu() {
    start_game SDL_AUDIODRIVER=dummy
    local window
    window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
    # The loading bar first (as the other tests, 3 seconds); the menu is up once the whole
    # picture has held still for a while (a busy machine may hold the loading bar).
    sleep 3
    wait_still_picture "$window" menu 30 3 || fail "the menu never held still"
    yellow_under_buttons menu
    close_game
}

install_game
[ ! -e "$WORK/game/Data/System.Cfg" ] || fail "a fresh copy already has settings"
first="$(look_at_menu)"
[ -f "$WORK/game/Data/System.Cfg" ] || fail "the first start wrote no settings"
second="$(look_at_menu)"
echo "yellow under the buttons: first start $first, second start $second"
[ "$first" -gt $((second + 300)) ] || fail "the first start shows no invitation ($first vs $second)"
echo "PASS"
