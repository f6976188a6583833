#!/usr/bin/env bash
# Without Data/Resource.Kvr the game says its files are missing, logs it, and ends with the
# missing-file code (3) once the box is dismissed.
source "$(dirname "$0")/lib/common.sh"

install_game without-data
start_game
box="$(wait_for_window "Error" 30)" || fail "no missing-files box appeared"
xdotool key --window "$box" Return
code="$(wait_for_exit 30)" || fail "the game did not end after the box"
[ "$code" -eq 3 ] || fail "exit code $code without the archive, expected 3"
expect_log_closed 1
grep -q "Resource.Kvr" "$WORK/game/Report.html" || fail "the log does not name the archive"
echo "PASS"
