#!/usr/bin/env bash
# Builds taktora.exe and re-makes every picture in docs/images/ from it under Wine and Xvfb: the graph window at its
# default size, a wide one with the temperature curve, the tray icon enlarged and the settings dialog. Run it whenever
# the look changes and commit the pictures. The end-to-end tests' stand-in plays the temperature monitor and feeds the
# load, so the curves are the same on every machine, whatever else it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
source tests/e2e/lib.sh
images=$PWD/docs/images

# Two cores' loads and temperatures, one step every few seconds: ups and downs for the curves.
STEPS=("8,14 41,43" "22,35 44,47" "61,74 52,58" "93,97 63,69" "88,71 66,70" "45,30 58,61" "17,25 50,52"
    "33,52 52,55" "70,84 60,64" "52,39 57,60" "12,9 48,50" "28,18 46,47")

# monitor LOADS TEMPERATURES: a stand-in that publishes these values; a later one overwrites the record in place.
monitor() {
    wine "$E2E_HELPER" coretemp "$1" "$2" </dev/null >>"$WORK/monitor.log" 2>&1 &
}

# play SECONDS: walks the stand-in through the steps, SECONDS each.
play() {
    local step
    for step in "${STEPS[@]}"; do
        monitor "${step% *}" "${step#* }"
        sleep "$1"
    done
}

# shot NAME CLASS [PERCENT]: the window of that class, enlarged by PERCENT, as NAME.png.
shot() {
    local left top width height
    read -r left top width height _ <<<"$(helper rect "$2")"
    import -window root "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "${width}x$height+$left+$top" +repage -scale "${3:-100}%" -strip \
        "$WORK/images/$1.png"
}

# taktora NAME=VALUE...: starts the program on a settings key holding only these values.
taktora() {
    reg_delete "$SETTINGS" 2>/dev/null || true
    local pair
    for pair; do
        reg_set "$SETTINGS" "${pair%%=*}" "${pair#*=}"
    done
    start_taktora
    wait_window "$MAIN"
}

begin --desktop
mkdir "$WORK/images"
monitor "${STEPS[0]% *}" "${STEPS[0]#* }"
wait_for 15 helper rect CORETEMP >/dev/null || die "the temperature monitor's stand-in did not start"

# 192 columns at its default size, one every 0.1 s: twenty seconds of load.
taktora Interval=100 ShowCoreTemp=0 ShowCoreSpeed=0 ShowCoreTempLine=0
play 1.7
shot graph "$MAIN"
close_taktora

taktora Interval=100 WinWidth=400 WinHeight=100
play 3.5
shot graph-temperature "$MAIN"
# The notification area's last 16 x 16 pixels that differ from the taskbar: the icon, eight times as large.
read -r left top width height _ <<<"$(helper rect Shell_TrayWnd)"
import -window root "$WORK/screen.png"
read -r x y <<<"$(convert "$WORK/screen.png" -crop "40x$height+$((left + width - 40))+$top" -trim -format '%X %Y' info:)"
convert "$WORK/screen.png" -crop "16x16+$x+$y" +repage -scale 800% -strip \
    "$WORK/images/tray-icon.png"
close_taktora

# The dialog as a new user first sees it.
taktora
read -r left top width height _ <<<"$(helper rect "$MAIN")"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) sleep 0.3 click --repeat 2 --delay 80 1
wait_for 5 visible TaktoraSettings || die "a double-click on the graph did not open the settings dialog"
sleep 1
shot settings TaktoraSettings
close_taktora

mkdir -p "$images"
cp "$WORK"/images/*.png "$images/"
ls -l "$images"
