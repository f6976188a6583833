#!/usr/bin/env bash
# Options, help and credits through the real window, driven with xdotool like a player:
#  - Help shows its bonus models (its left column differs from the same spot on the credits);
#  - the credits roll and come back to the menu by themselves;
#  - Options: skin, background, both volumes and full screen changed and confirmed are in the
#    settings file at once; after a restart the window comes back full screen and the file
#    still holds them; switching full screen off again re-creates a window and is saved.
# Set BRX_E2E_SHOTS to a folder to keep the pictures (xwd) of each screen.
source "$(dirname "$0")/lib/common.sh"

SETTINGS="$WORK/game/Data/System.Cfg"

# The settings file unscrambled.
read_settings() {
    unscramble "$SETTINGS"
}

# The value of one key of the settings file.
setting() {
    read_settings | awk -F= -v key="$1" '$1 == key { print $2 }'
}

expect_setting() {
    local value
    value="$(setting "$1")"
    [ "$value" = "$2" ] || fail "$1 is '$value' in the settings file, expected $2 ($3)"
}

# Waits (up to 30 s) until the settings file holds a value; a new window and its textures take
# a moment before OK's save.
wait_for_setting() {
    for _ in $(seq 1 150); do
        [ -f "$SETTINGS" ] && [ "$(setting "$1")" = "$2" ] && return 0
        sleep 0.2
    done
    expect_setting "$1" "$2" "$3"
}

# Waits (up to $3 seconds) until the whole window looks like the picture $2 again.
wait_until_like() {
    local window="$1" reference="$2" limit="$3" width height
    read -r width height < <(window_size "$window")
    for _ in $(seq 1 "$limit"); do
        park_pointer "$window"
        shoot "$window" now
        [ "$(differing_pixels "$reference" now)" -lt $((width * height / 100)) ] && return 0
        sleep 1
    done
    return 1
}

install_game
start_game SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3  # start-up behind the loading bar
park_pointer "$window"
shoot "$window" menu

# --- help: the bonus models stand in the left column -------------------------------------------
click_virtual "$window" 400 275  # Help
park_pointer "$window"
shoot "$window" help
xdotool key --window "$window" Escape
sleep 0.5
wait_until_like "$window" menu 10 || fail "Escape did not lead from help to the menu"

# --- credits: they roll, and come back to the menu by themselves -------------------------------
click_virtual "$window" 400 233  # Credits
park_pointer "$window"
shoot "$window" credits
[ "$(differing_pixels help credits 60x340+190+170)" -gt 1000 ] ||
    fail "the help screen shows no bonus models beside its text"
shoot "$window" roll1
sleep 2
shoot "$window" roll2
[ "$(differing_pixels roll1 roll2 300x400+250+100)" -gt 1000 ] || fail "the credits do not roll"
wait_until_like "$window" menu 90 || fail "the credits did not return to the menu"

# --- options: change, confirm, saved at once ----------------------------------------------------
click_virtual "$window" 400 359  # Options
park_pointer "$window"
shoot "$window" options
click_virtual "$window" 490 122  # skin 0 -> 1
click_virtual "$window" 490 86   # background Lake -> Space
click_virtual "$window" 563 328  # music volume 50 -> 55 (right arrow)
click_virtual "$window" 563 328  # -> 60
click_virtual "$window" 415 376  # sound volume 150 -> 145 (left arrow)
click_virtual "$window" 440 468  # full screen on
park_pointer "$window"
shoot "$window" options-changed
[ ! -f "$SETTINGS" ] || before="$(read_settings)"
click_virtual "$window" 594 36   # OK: a new window for full screen
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after switching to full screen"
wait_for_setting FullScreen 1 "full screen"
expect_setting SkinIndex 1 "skin"
expect_setting Background 1 "background"
expect_setting MusicVolume 60 "music volume"
expect_setting SoundVolume 145 "sound volume"
saved="$(read_settings)"
[ "${before:-}" != "$saved" ] || fail "OK left the settings file as it was"
close_game

# --- restart: the settings hold -----------------------------------------------------------------
start_game SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after the restart"
sleep 3
[ "$(read_settings)" = "$saved" ] || fail "the restart changed the settings file"
park_pointer "$window"
click_virtual "$window" 400 359  # Options
park_pointer "$window"
read -r w h < <(window_size "$window")
shoot "$window" options-restarted
# Where the display kept the size (a virtual X server offers no other mode), the options look
# as they did when confirmed: the same skin, background, sliders and a checked full-screen box.
if [ "$w" -eq 800 ] && [ "$h" -eq 600 ]; then
    [ "$(differing_pixels options-changed options-restarted)" -lt 4800 ] ||
        fail "after the restart the options show other values than were confirmed"
fi
click_virtual "$window" 440 468  # full screen off
click_virtual "$window" 594 36   # OK: a new, framed window
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after leaving full screen"
wait_for_setting FullScreen 0 "full screen off"
expect_setting SkinIndex 1 "skin after the restart"
expect_setting MusicVolume 60 "music volume after the restart"
close_game
expect_log_closed 0
echo "PASS"
