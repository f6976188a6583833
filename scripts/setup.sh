#!/usr/bin/env bash
# Installs every Debian package the game, its data generators and its tests need.
# (xfonts-base: the X server's fonts, without which the error boxes cannot open;
# libxdamage-dev: the start probe of the whole-program benchmark;
# desktop-file-utils, appstream: the validators of the menu entry and the metainfo;
# dpkg-dev, fakeroot, file: building and checking the .deb.)
# Idempotent: apt-get runs only when something is missing.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    clang libclang-rt-14-dev
    libsdl2-dev libsdl2-mixer-dev
    libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri mesa-utils
    libjpeg62-turbo-dev libpng-dev zlib1g-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev fonts-dejavu-core libx11-dev libxfixes-dev libxdamage-dev
    libmp3lame-dev libvorbis-dev libogg-dev
    xvfb xauth xfonts-base xdotool x11-utils x11-apps sox
    desktop-file-utils appstream dpkg-dev fakeroot file
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
