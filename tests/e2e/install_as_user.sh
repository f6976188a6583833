#!/usr/bin/env bash
# The installed game runs as an ordinary player: it is installed into a scratch prefix, started
# as an unprivileged user with a scratch home, keeps that player's settings, score tables and
# log under the XDG folders of that home, honours a setting changed there when it starts again,
# and never writes into the install. A portable copy in a folder the player cannot write
# behaves the same way. Sound that cannot open is reported in the log.
source "$(dirname "$0")/lib/common.sh"

SOURCE_DIR="$(cd "$(dirname "$0")/../.." && pwd)"
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
    local exe="$1"
    rm -f "$WORK/exit.code" "$WORK/game.pid"
    (
        cd /
        "${PLAYER[@]}" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_STATE_HOME \
            HOME="$PLAYER_HOME" XAUTHORITY="$WORK/xauth" SDL_AUDIODRIVER=brx-no-such-driver \
            "$exe" >"$WORK/stdout.log" 2>&1 &
        echo $! >"$WORK/game.pid"
        code=0
        wait $! || code=$?
        echo "$code" >"$WORK/exit.code"
    ) &
    for _ in $(seq 1 100); do
        [ -s "$WORK/game.pid" ] && break
        sleep 0.05
    done
    GAME_PID="$(cat "$WORK/game.pid")"
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

# The settings file's rolling scramble (the same operation both ways), key bounds read from the
# game's source so the test follows them.
crypt_settings() {
    local start last key byte out=""
    start="$(grep -o 'kScrambleStart = 0x[0-9A-Fa-f]*' "$SOURCE_DIR/core/ConfigFile.h" | awk '{print $3}')"
    last="$(grep -o 'kScrambleLast = 0x[0-9A-Fa-f]*' "$SOURCE_DIR/core/ConfigFile.h" | awk '{print $3}')"
    key=$((start))
    for byte in $(od -An -v -tu1 "$1"); do
        printf -v out '%s\\x%02x' "$out" $((byte ^ key))
        key=$((key == last ? start : key + 1))
    done
    printf '%b' "$out" >"$2"
}

# Every file below a folder with its size, mode and change time: equal listings, no writes.
listing() {
    find "$1" -printf '%p %s %m %C@\n' | sort
}

# --- install ------------------------------------------------------------------------------
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log" >&2; fail "cmake --install failed"; }
[ -x "$PREFIX/bin/brixeler3d" ] || fail "no bin/brixeler3d in the install"
[ -f "$PREFIX/share/brixeler3d/Resource.Kvr" ] || fail "no share/brixeler3d/Resource.Kvr"
[ ! -e "$PREFIX/Data" ] && [ ! -e "$PREFIX/bin/Data" ] || fail "a Data folder beside the executable"
for size in 16 32 48 64 128 256; do
    [ -s "$PREFIX/share/icons/hicolor/${size}x${size}/apps/brixeler3d.png" ] ||
        fail "no ${size}x${size} icon"
done
desktop="$(ls "$PREFIX"/share/applications/*.desktop)" || fail "no desktop entry"
grep -qx "Icon=brixeler3d" "$desktop" || fail "the desktop entry does not name the icon"
ls "$PREFIX"/share/metainfo/*.metainfo.xml >/dev/null || fail "no metainfo"
[ -s "$PREFIX/share/man/man6/brixeler3d.6.gz" ] || fail "no man page"
before="$(listing "$PREFIX")"

# --- first run: the player's files appear under the XDG folders ----------------------------
size="$(play_once "$PREFIX/bin/brixeler3d")"
[ "$size" = "800x600" ] || fail_with_log "first window is $size, expected the default 800x600"
[ -f "$CONFIG/System.Cfg" ] || fail_with_log "no settings in $CONFIG"
[ -f "$STATE/Report.html" ] || fail "no log in $STATE"
grep -q "Total Errors = 0" "$STATE/Report.html" || fail_with_log "errors in the first run's log"
grep -q "Log file closed:" "$STATE/Report.html" || fail_with_log "the log was not finished"
grep -q "Sound is off" "$STATE/Report.html" || fail_with_log "the log does not say sound is off"
[ -d "$DATA" ] || fail "no $DATA folder for the score tables"
for folder in "$CONFIG" "$DATA" "$STATE"; do
    [ "$(stat -c %a "$folder")" = "700" ] || fail "$folder is not private to the player"
    [ "$(stat -c %u "$folder")" = "$(stat -c %u "$PLAYER_HOME")" ] || fail "$folder not the player's"
done

# --- change a setting in the player's file; the second run must honour it -------------------
crypt_settings "$CONFIG/System.Cfg" "$WORK/settings.txt"
grep -qx "ScreenRes=1" "$WORK/settings.txt" || fail "unexpected settings: $(cat "$WORK/settings.txt")"
sed -i 's/^ScreenRes=1$/ScreenRes=2/' "$WORK/settings.txt"
crypt_settings "$WORK/settings.txt" "$CONFIG/System.Cfg"
size="$(play_once "$PREFIX/bin/brixeler3d")"
[ "$size" = "1024x768" ] || fail_with_log "second window is $size: the changed setting was not read"
crypt_settings "$CONFIG/System.Cfg" "$WORK/settings.txt"
grep -qx "ScreenRes=2" "$WORK/settings.txt" || fail "the changed setting was not kept"

# --- nothing was written into the install ---------------------------------------------------
[ "$(listing "$PREFIX")" = "$before" ] || {
    diff <(echo "$before") <(listing "$PREFIX") >&2
    fail "the game wrote into the install folder"
}

# --- a portable copy the player cannot write keeps its files per user too --------------------
if [ ${#PLAYER[@]} -gt 0 ]; then
    mkdir -p "$WORK/portable/Data"
    cp "$PREFIX/bin/brixeler3d" "$WORK/portable/"
    cp "$PREFIX/share/brixeler3d/Resource.Kvr" "$WORK/portable/Data/"
    portable_before="$(listing "$WORK/portable")"
    rm -rf "$CONFIG" "$STATE"
    size="$(play_once "$WORK/portable/brixeler3d")"
    [ "$size" = "800x600" ] || fail_with_log "portable window is $size"
    [ -f "$CONFIG/System.Cfg" ] || fail "the read-only portable copy lost its settings"
    [ "$(listing "$WORK/portable")" = "$portable_before" ] || fail "wrote into the portable copy"
fi
echo "PASS"
