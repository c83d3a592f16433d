#!/usr/bin/env bash
# A double-click on the graph opens the settings dialog; a box unticked by its access key and OK save every value
# at once (a fresh prefix, so nothing was stored before). F1 opens the dialog again where the user left it.
source "$(dirname "$0")/lib.sh"
begin
start_taktora
wait_window "$MAIN"
read -r main_left main_top width height _ <<<"$(helper rect "$MAIN")"
xdotool mousemove $((main_left + width / 2)) $((main_top + height / 2)) sleep 0.3 click --repeat 2 --delay 80 1
wait_for 5 visible TaktoraSettings || die "a double-click on the graph did not open the settings dialog"
# Dragged by its caption; without a window manager the keys go to the window under the pointer.
read -r left top _ <<<"$(helper rect TaktoraSettings)"
xdotool mousemove $((left + 40)) $((top + 8)) sleep 0.3 mousedown 1 sleep 0.3 mousemove_relative 100 100 sleep 0.3 \
    mouseup 1 sleep 0.3 key alt+l sleep 0.3 key Return
wait_for 5 eval '! visible TaktoraSettings' || die "OK did not close the settings dialog"
expect_settings ShowRunTime=0
xdotool mousemove $((main_left + 10)) $((main_top + 10)) sleep 0.3 key F1
wait_for 5 visible TaktoraSettings || die "F1 did not open the settings dialog"
[[ $(helper rect TaktoraSettings) == "$((left + 100)) $((top + 100)) "* ]] ||
    die "the dialog opened at $(helper rect TaktoraSettings), not 100 pixels right of and below $left $top"
close_taktora
