#!/usr/bin/env bash
# After a display change (here full screen on, from the options) the very first click on the
# menu counts: one click on Options opens them. The button that confirmed the change is let go
# only once the new window is up, where the pointer is outside it, so the game never hears
# that release: the way a player's click gets lost.
source "$(dirname "$0")/lib/common.sh"

install_game
start_game SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3  # start-up behind the loading bar
click_virtual "$window" 400 359  # Options
click_virtual "$window" 440 468  # Full Screen
read -r w h < <(window_size "$window")
xdotool mousemove --window "$window" $((594 * w / 800)) $((h - 36 * h / 600)) mousedown 1
window="$(wait_for_new_window "$window" 30)" || fail "the window was not re-created"
sleep 2
xdotool mouseup 1
park_pointer "$window"
shoot "$window" menu
read -r w h < <(window_size "$window")

click_virtual "$window" 400 359  # Options, once
park_pointer "$window"
for _ in $(seq 1 20); do  # a busy machine may take a while to draw the options
    shoot "$window" after
    changed="$(differing_pixels menu after)"
    [ "$changed" -gt $((w * h / 20)) ] && break
    sleep 0.5
done
[ "$changed" -gt $((w * h / 20)) ] ||
    fail "the first click after the display change was lost ($changed pixels changed)"
close_game
echo "PASS"
