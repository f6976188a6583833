#!/usr/bin/env bash
# Options, help and credits through the real window, driven with xdotool like a player:
#  - Help shows its bonus models (its left column differs from the same spot on the credits);
#  - the credits roll and come back to the menu by themselves;
#  - Options: skin, background, both volumes and full screen changed and confirmed are in the
#    settings file at once; after a restart the window comes back full screen and the file
#    still holds them; switching full screen off again re-creates a window and is saved.
# Set BRX_E2E_SHOTS to a folder to keep window dumps (xwd) of each screen.
source "$(dirname "$0")/lib/common.sh"

SOURCE_DIR="$(cd "$(dirname "$0")/../.." && pwd)"
SETTINGS="$WORK/game/Data/System.Cfg"

# The settings file unscrambled (the rolling key's bounds read from the game's source).
read_settings() {
    local start last key byte out=""
    start="$(grep -o 'kScrambleStart = 0x[0-9A-Fa-f]*' "$SOURCE_DIR/core/ConfigFile.h" | awk '{print $3}')"
    last="$(grep -o 'kScrambleLast = 0x[0-9A-Fa-f]*' "$SOURCE_DIR/core/ConfigFile.h" | awk '{print $3}')"
    key=$((start))
    for byte in $(od -An -v -tu1 "$SETTINGS"); do
        printf -v out '%s\\x%02x' "$out" $((byte ^ key))
        key=$((key == last ? start : key + 1))
    done
    printf '%b' "$out"
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

window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'
}

# Clicks a point of the game's 800 x 600 virtual space (y upwards) in a window of any size.
click_at() {
    local window="$1" vx="$2" vy="$3" w h
    read -r w h < <(window_size "$window")
    xdotool mousemove --window "$window" $((vx * w / 800)) $((h - vy * h / 600)) click 1
    sleep 0.4
}

# Moves the pointer (the game draws its own cursor there) into the lower-right corner; it
# steps there, so a control left highlighted under the pointer loses the highlight.
park_pointer() {
    local window="$1" w h
    read -r w h < <(window_size "$window")
    xdotool mousemove --window "$window" $((w - 2)) $((h - 2))
    sleep 0.1
    xdotool mousemove --window "$window" $((w - 1)) $((h - 1))
    sleep 0.4
}

# One line per pixel (hex) of a rectangle of the window: x, y from the top left, in pixels.
dump_region() {
    local window="$1" x="$2" y="$3" w="$4" h="$5" width height
    read -r width height < <(window_size "$window")
    xwd -silent -id "$window" >"$WORK/region.xwd"
    [ -n "${BRX_E2E_SHOTS:-}" ] && cp "$WORK/region.xwd" "$BRX_E2E_SHOTS/$6.xwd"
    tail -c $((width * height * 4)) "$WORK/region.xwd" | od -An -v -tx4 -w4 |
        awk -v W="$width" -v x0="$x" -v y0="$y" -v w="$w" -v h="$h" \
            '{ i = NR - 1; c = i % W; r = int(i / W)
               if (c >= x0 && c < x0 + w && r >= y0 && r < y0 + h) print $1 }'
}

# How many pixels two dumps of the same rectangle differ in.
differing() {
    paste -d' ' "$1" "$2" | awk '$1 != $2 { n++ } END { print n + 0 }'
}

# Waits (up to $3 seconds) until the whole window looks like the dump $2 again.
wait_until_like() {
    local window="$1" reference="$2" limit="$3" width height
    read -r width height < <(window_size "$window")
    for _ in $(seq 1 "$limit"); do
        park_pointer "$window"
        dump_region "$window" 0 0 "$width" "$height" now >"$WORK/now.txt"
        [ "$(differing "$reference" "$WORK/now.txt")" -lt $((width * height / 100)) ] && return 0
        sleep 1
    done
    return 1
}

# Closes the game with a close request; it must end with code 0.
close_game() {
    kill -TERM "$GAME_PID"
    local code
    code="$(wait_for_exit 30)" || fail "the game did not end after the close request"
    [ "$code" -eq 0 ] || fail "exit code $code after a close request"
}

install_game
start_game SDL_AUDIODRIVER=dummy
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
sleep 3  # start-up behind the loading bar
park_pointer "$window"
dump_region "$window" 0 0 800 600 menu >"$WORK/menu.txt"

# --- help: the bonus models stand in the left column -------------------------------------------
click_at "$window" 400 275  # Help
park_pointer "$window"
dump_region "$window" 190 170 60 340 help >"$WORK/help.txt"
xdotool key --window "$window" Escape
sleep 0.5
wait_until_like "$window" "$WORK/menu.txt" 10 || fail "Escape did not lead from help to the menu"

# --- credits: they roll, and come back to the menu by themselves -------------------------------
click_at "$window" 400 233  # Credits
park_pointer "$window"
dump_region "$window" 190 170 60 340 credits >"$WORK/credits.txt"
[ "$(differing "$WORK/help.txt" "$WORK/credits.txt")" -gt 1000 ] ||
    fail "the help screen shows no bonus models beside its text"
dump_region "$window" 250 100 300 400 roll1 >"$WORK/roll1.txt"
sleep 2
dump_region "$window" 250 100 300 400 roll2 >"$WORK/roll2.txt"
[ "$(differing "$WORK/roll1.txt" "$WORK/roll2.txt")" -gt 1000 ] || fail "the credits do not roll"
wait_until_like "$window" "$WORK/menu.txt" 90 || fail "the credits did not return to the menu"

# --- options: change, confirm, saved at once ----------------------------------------------------
click_at "$window" 400 359  # Options
park_pointer "$window"
dump_region "$window" 0 0 800 600 options >/dev/null
click_at "$window" 490 122  # skin 0 -> 1
click_at "$window" 490 86   # background Lake -> Space
click_at "$window" 563 328  # music volume 50 -> 55 (right arrow)
click_at "$window" 563 328  # -> 60
click_at "$window" 415 376  # sound volume 150 -> 145 (left arrow)
click_at "$window" 440 468  # full screen on
park_pointer "$window"
dump_region "$window" 0 0 800 600 options-changed >"$WORK/options-changed.txt"
[ ! -f "$SETTINGS" ] || before="$(read_settings)"
click_at "$window" 594 36   # OK: a new window for full screen
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
click_at "$window" 400 359  # Options
park_pointer "$window"
read -r w h < <(window_size "$window")
dump_region "$window" 0 0 "$w" "$h" options-restarted >"$WORK/options-restarted.txt"
# Where the display kept the size (a virtual X server offers no other mode), the options look
# as they did when confirmed: the same skin, background, sliders and a checked full-screen box.
if [ "$w" -eq 800 ] && [ "$h" -eq 600 ]; then
    [ "$(differing "$WORK/options-changed.txt" "$WORK/options-restarted.txt")" -lt 4800 ] ||
        fail "after the restart the options show other values than were confirmed"
fi
click_at "$window" 440 468  # full screen off
click_at "$window" 594 36   # OK: a new, framed window
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window after leaving full screen"
wait_for_setting FullScreen 0 "full screen off"
expect_setting SkinIndex 1 "skin after the restart"
expect_setting MusicVolume 60 "music volume after the restart"
close_game
expect_log_closed 0
echo "PASS"
