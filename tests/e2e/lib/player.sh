# Shared steps of the tests that run the installed game as an ordinary player: a scratch home,
# the player (nobody when the tests run as root), starting and closing the game as that player.
# Source after lib/common.sh.

PREFIX="$WORK/prefix"
PLAYER_HOME="$WORK/home"
CONFIG="$PLAYER_HOME/.config/brixeler3d"
DATA="$PLAYER_HOME/.local/share/brixeler3d"
STATE="$PLAYER_HOME/.local/state/brixeler3d"

# Root plays as nobody; anyone else plays as themselves (the checks are the same).
chmod 755 "$WORK"
mkdir -p "$PLAYER_HOME"
if [ "$(id -u)" -eq 0 ]; then
    PLAYER=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
    chown nobody "$PLAYER_HOME"
else
    PLAYER=()
fi
if [ -n "${XAUTHORITY:-}" ] && [ -f "$XAUTHORITY" ]; then
    cp "$XAUTHORITY" "$WORK/xauth"
    [ "$(id -u)" -eq 0 ] && chown nobody "$WORK/xauth"
fi

fail_with_log() {
    [ -f "$STATE/Report.html" ] && { echo "--- player's Report.html"; cat "$STATE/Report.html"; } >&2
    fail "$@"
}

# Starts an executable as the player from /, with only the scratch home to go by; the audio
# driver is one that does not exist, so sound is off on every machine alike.
start_as_player() {
    launch_from_root "${PLAYER[@]}" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_STATE_HOME \
        HOME="$PLAYER_HOME" XAUTHORITY="$WORK/xauth" SDL_AUDIODRIVER=brx-no-such-driver "$1"
}

# Runs the game until its window shows, prints the window's size, then closes it.
play_once() {
    local exe="$1" window size code
    start_as_player "$exe"
    window="$(wait_for_window "$GAME_TITLE" 60)" || fail_with_log "no game window from $exe"
    size="$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')"
    kill -TERM "$GAME_PID"
    code="$(wait_for_exit 60)" || fail_with_log "the game did not end after the close request"
    [ "$code" -eq 0 ] || fail_with_log "exit code $code after a close request"
    echo "$size"
}

# The settings file's rolling scramble from file $1 into file $2 (the same operation both ways).
crypt_settings() {
    unscramble "$1" >"$2"
}

# Every file below a folder with its size, mode and change time: equal listings, no writes.
listing() {
    find "$1" -printf '%p %s %m %C@\n' | sort
}
