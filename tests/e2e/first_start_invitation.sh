#!/usr/bin/env bash
# The very first start (no settings file yet) shows one yellow line under the menu's buttons
# inviting the player to Help; the settings are written at that start, and the next start
# does not show the line again.
source "$(dirname "$0")/lib/common.sh"

# Yellow pixels of the band under the menu buttons (window pixels from the top left).
yellow_under_buttons() {
    local window="$1" width height
    width="$(xwininfo -id "$window" | awk '/Width:/ {print $2}')"
    height="$(xwininfo -id "$window" | awk '/Height:/ {print $2}')"
    xwd -silent -id "$window" >"$WORK/shot.xwd"
    tail -c $((width * height * 4)) "$WORK/shot.xwd" | od -An -v -tx4 -w4 |
        awk -v W="$width" '{ i = NR - 1; c = i % W; r = int(i / W)
            if (c < 200 || c >= 600 || r < 430 || r >= 470) next
            # Two hex digits a channel compare as text: "b4" is 180, "5a" is 90.
            red = substr($1, 3, 2); green = substr($1, 5, 2); blue = substr($1, 7, 2)
            if (red >= "b4" && green >= "b4" && blue < "5a") n++ } END { print n + 0 }'
}

# Starts the game, waits for its menu and prints the yellow count of the band; then quits.
look_at_menu() {
    start_game SDL_AUDIODRIVER=dummy
    local window count=0
    window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
    # The loading bar first (as the other tests, 3 seconds); the menu is up once the whole
    # picture has held still for three looks in a row.
    sleep 3
    local previous="" now still=0
    for _ in $(seq 1 60); do
        sleep 0.5
        xwd -silent -id "$window" >"$WORK/still.xwd"
        now="$(md5sum <"$WORK/still.xwd")"
        if [ "$now" = "$previous" ]; then still=$((still + 1)); else still=0; fi
        previous="$now"
        [ "$still" -ge 2 ] && break
    done
    count="$(yellow_under_buttons "$window")"
    kill -TERM "$GAME_PID"
    local code
    code="$(wait_for_exit 30)" || fail "the game did not end after the close request"
    [ "$code" -eq 0 ] || fail "exit code $code after a close request"
    echo "$count"
}

install_game
[ ! -e "$WORK/game/Data/System.Cfg" ] || fail "a fresh copy already has settings"
first="$(look_at_menu)"
[ -f "$WORK/game/Data/System.Cfg" ] || fail "the first start wrote no settings"
second="$(look_at_menu)"
echo "yellow under the buttons: first start $first, second start $second"
[ "$first" -gt $((second + 300)) ] || fail "the first start shows no invitation ($first vs $second)"
echo "PASS"
