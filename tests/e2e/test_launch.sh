#!/usr/bin/env bash
# The popup menu's "TaskManager" starts the prefix's Task Manager, a program outside the monitor, from a window thread
# that is a single-threaded COM apartment without OLE1 DDE (0x6), as shell extensions may need.
source "$(dirname "$0")/lib.sh"
begin
WINEDEBUG=trace+ole start_taktora
wait_window "$MAIN"
read -r left top width height _ <<<"$(helper rect "$MAIN")"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) sleep 0.3 click 3
wait_for 5 visible '#32768' || die "no popup menu after a right click"
xdotool key t
wait_for 15 eval '[[ $(helper text "#32770") == "Task Manager" ]]' || die "no Task Manager window"
helper close '#32770' >/dev/null || die "Task Manager did not close"
grep -q 'trace:ole:CoInitializeEx [0-9A-Fa-f]*, 0x6$' "$WORK/taktora.log" || die "COM was not entered as 0x6"
close_taktora
