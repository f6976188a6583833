#!/usr/bin/env bash
# The installed game runs as an ordinary player: it is installed into a scratch prefix, started
# as an unprivileged user with a scratch home, keeps that player's settings, score tables and
# log under the XDG folders of that home, honours a setting changed there when it starts again,
# and never writes into the install. A portable copy in a folder the player cannot write
# behaves the same way. Sound that cannot open is reported in the log.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/player.sh"

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
