#!/usr/bin/env bash
# Over the game's window only the game's own cursor shows: the desktop pointer never does, in
# the first window and again after the window is re-created for full screen. The game's cursor
# is either the pointer itself (a colour pointer made from its picture) or drawn by the game
# with the pointer hidden.
source "$(dirname "$0")/lib/common.sh"
PROBE="$BUILD_DIR/tests/brx_cursor_probe"
[ -x "$PROBE" ] || fail "no cursor probe at $PROBE"

pointer_over() {
    local window="$1"
    xdotool mousemove --window "$window" 200 200
    sleep 0.3
    "$PROBE"
}

desktop="$("$PROBE")"
[ "$desktop" != "hidden" ] || fail "the bare X server shows no pointer: the probe cannot tell"
install_game
start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
for _ in $(seq 1 50); do
    [ "$(pointer_over "$window")" != "$desktop" ] && break
    sleep 0.2
done
[ "$(pointer_over "$window")" != "$desktop" ] || fail "the desktop pointer shows over the game"

# Maximising asks for full screen: a new window and context.
xdotool windowsize "$window" 100% 100% 2>/dev/null || true
xdotool key --window "$window" super+Up 2>/dev/null || true
sleep 1
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "the game window is gone"
[ "$(pointer_over "$window")" != "$desktop" ] || fail "the desktop pointer shows after re-creation"

kill -TERM "$GAME_PID"
code="$(wait_for_exit 30)" || fail "the game did not end"
[ "$code" -eq 0 ] || fail "exit code $code"
echo "PASS"
