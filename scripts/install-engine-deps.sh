#!/usr/bin/env bash
# Installs what the real engines of the engine tests need to run (SDL, and Mesa's software GL for
# Q2PRO's client); installs only what is missing.
set -euo pipefail

packages=(libsdl2-2.0-0 zlib1g libgl1 libgl1-mesa-dri util-linux)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=$([ "$(id -u)" -eq 0 ] || echo sudo)
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
