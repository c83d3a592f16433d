#!/usr/bin/env bash
# test_run_entry.sh restore: RunAtStartup stored without a Run value: start-up writes the Run value back, and the
# save that comes with it keeps every other stored option, so the taskbar button shows and the four other values
# survive the next close.
# test_run_entry.sh switched-off: a Run value that Windows' own startup list switched off survives a start and a
# close by the menu's "Beenden" as it was, switch included.
source "$(dirname "$0")/lib.sh"
APPROVED='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
entry='D:\old\taktora.exe /startup' off=030000000000000000000000
kept=(RunAtStartup=1 ShowInTask=1 UseBoldFont=1 AlignCenter=1 Interval=2500)
begin
if [[ $1 == switched-off ]]; then
    reg_set "$RUN_KEY" Taktora "$entry"
    w reg add "$APPROVED" /v Taktora /t REG_BINARY /d $off /f >/dev/null
    kept=()
fi
for pair in "${kept[@]}"; do
    reg_set "$SETTINGS" "${pair%%=*}" "${pair#*=}"
done
start_taktora
wait_window "$MAIN"
if [[ $1 == switched-off ]]; then
    read -r left top width height _ <<<"$(helper rect "$MAIN")"
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 3
    wait_for 5 visible '#32768' || die "no popup menu after a right click"
    xdotool key b
    wait_exit
    [[ $(reg_get "$RUN_KEY" Taktora)/$(reg_get "$APPROVED" Taktora) == "$entry/$off" ]] ||
        die "Run value and Windows' switch: $(reg_get "$RUN_KEY" Taktora)/$(reg_get "$APPROVED" Taktora)"
    exit 0
fi
wait_for 10 reg_get "$RUN_KEY" Taktora >/dev/null || die "no Run value after start-up"
[[ $(reg_get "$RUN_KEY" Taktora) == "\"$TAKTORA\" /startup" ]] || die "Run value $(reg_get "$RUN_KEY" Taktora)"
wait_window TaktoraTaskBar
close_taktora
expect_settings "${kept[@]}"
