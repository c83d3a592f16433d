#!/usr/bin/env bash
# test_close.sh PATH: the window comes up where it was stored, and closing it by PATH (wmclose, menu, taskkill,
# taskbar, endsession, closeapp) writes the same 23 values: the key is deleted while the program runs, so whatever is stored
# afterwards was written by that close.
source "$(dirname "$0")/lib.sh"
stored=(WinLeft=300 WinTop=200 ShowInTask=1)
begin
for pair in "${stored[@]}"; do
    reg_set "$SETTINGS" "${pair%%=*}" "${pair#*=}"
done
start_taktora
wait_window "$MAIN"
wait_window TaktoraTaskBar
wait_for 5 eval '[[ $(helper rect "$MAIN") == "300 200 192 64 1" ]]' ||
    die "the main window is at $(helper rect "$MAIN"), not where it was stored (300 200 192 64)"
reg_delete "$SETTINGS"
case $1 in
    wmclose) helper close "$MAIN" 15000 ;;
    menu)
        xdotool mousemove 396 232 click 3  # the middle of the stored window
        wait_for 5 visible '#32768' || die "no popup menu after a right click"
        xdotool key b
        ;;
    taskkill) w taskkill /im taktora.exe >/dev/null ;;
    taskbar) helper close TaktoraTaskBar 15000 ;;
    endsession) helper endsession "$MAIN" ;;
    closeapp) helper endsession "$MAIN" 1 ;;  # ENDSESSION_CLOSEAPP: installers and updaters close the program
    *) die "unknown close path $1" ;;
esac || die "closing by $1 failed"
# After the end of the session Windows, not the program, ends the process; the Restart Manager waits for it to end.
[[ $1 == endsession ]] || wait_exit
expect_settings "${stored[@]}"
