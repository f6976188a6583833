#!/usr/bin/env bash
# Player files that are not what they seem: a link planted under the settings' old temporary
# name, a score table that is a FIFO and one that is a folder. The game starts to its menu
# without waiting on the FIFO, never writes through the link, logs each odd table by name and
# ends normally.
source "$(dirname "$0")/lib/common.sh"

install_game
echo "the player's other file" >"$WORK/victim.txt"
ln -s "$WORK/victim.txt" "$WORK/game/Data/System.Cfg.tmp"
mkfifo "$WORK/game/Data/TClassic.Kv"
mkdir "$WORK/game/Data/TRemover.Kv"

start_game
window="$(wait_for_window "$GAME_TITLE" 30)" || fail "no game window appeared"
wait_for_drawing "$window" 30 || fail "the game never showed its menu"

close_game
[ "$(cat "$WORK/victim.txt")" = "the player's other file" ] || fail "the link's target was written"
[ -L "$WORK/game/Data/System.Cfg.tmp" ] || fail "the planted link was moved"
[ -f "$WORK/game/Data/System.Cfg" ] && [ ! -L "$WORK/game/Data/System.Cfg" ] ||
    fail "the settings are not a file of their own"
grep -q "TClassic.Kv is not a regular file" "$WORK/game/Report.html" || fail "the FIFO is not logged"
grep -q "TRemover.Kv is not a regular file" "$WORK/game/Report.html" || fail "the folder is not logged"
echo "PASS"
