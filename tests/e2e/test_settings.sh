#!/usr/bin/env bash
# A double-click on the graph opens the settings dialog; a box unticked by its access key and OK save every value
# at once (a fresh prefix, so nothing was stored before).
source "$(dirname "$0")/lib.sh"
begin
start_taktora
wait_window "$MAIN"
read -r left top width height _ <<<"$(helper rect "$MAIN")"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) sleep 0.3 click --repeat 2 --delay 80 1
wait_for 5 visible TaktoraSettings || die "a double-click on the graph did not open the settings dialog"
# Without a window manager the keys go to the window under the pointer.
read -r left top _ <<<"$(helper rect TaktoraSettings)"
xdotool mousemove $((left + 4)) $((top + 4)) sleep 0.3 key alt+l sleep 0.3 key Return
wait_for 5 eval '! visible TaktoraSettings' || die "OK did not close the settings dialog"
expect_settings ShowRunTime=0
close_taktora
