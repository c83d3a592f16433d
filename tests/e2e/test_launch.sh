#!/usr/bin/env bash
# The popup menu's "TaskManager" starts the prefix's Task Manager, a program outside the monitor.
source "$(dirname "$0")/lib.sh"
begin
start_taktora
wait_window "$MAIN"
read -r left top width height _ <<<"$(helper rect "$MAIN")"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) sleep 0.3 click 3
wait_for 5 visible '#32768' || die "no popup menu after a right click"
xdotool key t
wait_for 15 eval '[[ $(helper text "#32770") == "Task Manager" ]]' || die "no Task Manager window"
helper close '#32770' >/dev/null || die "Task Manager did not close"
close_taktora
