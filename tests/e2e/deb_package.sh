#!/usr/bin/env bash
# The .deb: CPack builds brixeler3d_<version>_amd64.deb with its dependencies worked out by
# dpkg-shlibdeps; it holds the installed layout, and the game unpacked from it (dpkg -x) runs
# as an ordinary player and keeps that player's settings per user.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/player.sh"

# The suite builds its own package in its own folder, with quick compression.
cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$WORK/package" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
version="$(grep -o 'CMAKE_PROJECT_VERSION:STATIC=[0-9.]*' "$BUILD_DIR/CMakeCache.txt" | cut -d= -f2)"
deb="$WORK/package/brixeler3d_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$WORK/package")"

dpkg-deb --field "$deb" Package | grep -qx brixeler3d || fail "wrong package name"
depends="$(dpkg-deb --field "$deb" Depends)"
for library in libc6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libjpeg62-turbo libgl1; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
dpkg-deb --contents "$deb" | awk '{print $6}' >"$WORK/contents"
for path in ./usr/bin/brixeler3d ./usr/share/brixeler3d/Resource.Kvr \
    ./usr/share/applications/com.brixeler3d.Brixeler3D.desktop \
    ./usr/share/metainfo/com.brixeler3d.Brixeler3D.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/brixeler3d.png ./usr/share/man/man6/brixeler3d.6.gz; do
    grep -qx "$path" "$WORK/contents" || fail "the package lacks $path"
done

dpkg -x "$deb" "$PREFIX"
desktop-file-validate "$PREFIX/usr/share/applications/com.brixeler3d.Brixeler3D.desktop" ||
    fail "the packaged desktop entry does not validate"
size="$(play_once "$PREFIX/usr/bin/brixeler3d")"
[ "$size" = "800x600" ] || fail_with_log "window is $size"
[ -f "$CONFIG/System.Cfg" ] || fail_with_log "no settings in $CONFIG"
grep -q "Total Errors = 0" "$STATE/Report.html" || fail_with_log "errors in the log"
echo "PASS"
