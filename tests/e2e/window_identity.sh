#!/usr/bin/env bash
# The game's windows carry its own icon and the window class its desktop entry names, so docks
# group and label them: on the first window and again on the window re-created for full screen.
source "$(dirname "$0")/lib/common.sh"

wm_class="$(awk -F= '$1 == "StartupWMClass" { print $2 }' \
            "$SOURCE_DIR/packaging/com.brixeler3d.Brixeler3D.desktop")"
[ -n "$wm_class" ] || fail "the desktop entry names no StartupWMClass"

# The window's class and a 64 x 64 icon that is not blank.
expect_identity() {
    local window="$1" when="$2" icon
    [[ "$(xprop -id "$window" WM_CLASS)" == *"\"$wm_class\""* ]] ||
        fail "$when: WM_CLASS is $(xprop -id "$window" WM_CLASS), not $wm_class"
    icon="$(xprop -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON)"
    [[ "$icon" == *"_NET_WM_ICON(CARDINAL) = 64, 64, "* ]] || fail "$when: no 64 x 64 icon"
    # The picture has opaque, coloured pixels: not every value after the size is zero.
    [ "$(echo "$icon" | tr ',' '\n' | tail -n +3 | awk '$1 != 0 { n++ } END { print n + 0 }')" \
        -gt 1000 ] || fail "$when: the icon is blank"
}

install_game
start_game -u SDL_VIDEO_X11_WMCLASS -u SDL_VIDEO_WAYLAND_WMCLASS SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
for _ in $(seq 1 100); do
    [[ "$(xprop -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON 2>/dev/null)" == *"= 64, 64,"* ]] &&
        break
    sleep 0.1
done
expect_identity "$window" "first window"

# Options, full screen on, OK: a new window.
sleep 3  # start-up behind the loading bar
click_virtual "$window" 400 359  # Options
click_virtual "$window" 440 468  # Full Screen
click_virtual "$window" 594 36   # OK
next="$(wait_for_new_window "$window" 30)" || fail "the window was not re-created"
expect_identity "$next" "re-created window"

close_game
echo "PASS"
