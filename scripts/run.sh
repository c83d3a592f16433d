#!/usr/bin/env bash
# Builds taktora.exe and starts it under Wine in a virtual desktop with a taskbar and a notification area.
# The Wine prefix lives in ~/.local/share/taktora-wine and reports Windows XP (see the README).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build build/windows -j"$(nproc)" --target taktora

export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/taktora-wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
    wineserver -w
fi
mkdir -p "$WINEPREFIX/drive_c/Taktora"
cp build/windows/taktora.exe "$WINEPREFIX/drive_c/Taktora/"

if [[ -z ${DISPLAY:-} ]]; then
    # No desktop session: run on a virtual screen of its own; `import -display :77 -window root shot.png` shows it.
    export DISPLAY=:77
    Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
    echo "run: no DISPLAY, started Xvfb on $DISPLAY" >&2
    sleep 1
fi
cd "$WINEPREFIX/drive_c/Taktora"
exec wine explorer /desktop=Taktora,1024x768 'C:\Taktora\taktora.exe' "$@"
