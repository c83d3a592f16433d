#!/usr/bin/env bash
# Installs what building and testing Taktora needs on Debian, skipping what is there already.
set -euo pipefail

packages=(cmake g++ make googletest libgtest-dev libbenchmark-dev g++-mingw-w64-x86-64 wine64 wine xvfb imagemagick
    xdotool x11-utils fonts-wine python3 clang libfuzzer-14-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
    echo "setup: installing ${missing[*]}" >&2
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
