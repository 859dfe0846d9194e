#!/usr/bin/env bash
# Installs the Debian 12 packages Vexa needs to build, run and test; installs only what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libjpeg62-turbo-dev libzip-dev
    clang libclang-rt-14-dev
    fonts-dejavu-core fonts-dejavu-extra
    xvfb xauth imagemagick
    ccache desktop-file-utils appstream file man-db
    libbenchmark-dev time
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        SUDO=sudo
    else
        SUDO=
    fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
