#!/usr/bin/env bash
# RunAtStartup stored without a Run value: start-up writes the Run value back, and the save that comes with it keeps
# every other stored option, so the taskbar button shows and the four other values survive the next close.
source "$(dirname "$0")/lib.sh"
kept=(RunAtStartup=1 ShowInTask=1 UseBoldFont=1 AlignCenter=1 Interval=2500)
begin
for pair in "${kept[@]}"; do
    reg_set "$SETTINGS" "${pair%%=*}" "${pair#*=}"
done
start_taktora
wait_window "$MAIN"
wait_for 10 reg_get "$RUN_KEY" Taktora >/dev/null || die "no Run value after start-up"
[[ $(reg_get "$RUN_KEY" Taktora) == "\"$TAKTORA\" /startup" ]] || die "Run value $(reg_get "$RUN_KEY" Taktora)"
wait_window TaktoraTaskBar
close_taktora
expect_settings "${kept[@]}"
