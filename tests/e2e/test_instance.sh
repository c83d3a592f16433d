#!/usr/bin/env bash
# One copy per settings profile. A second start of the running profile ends at once and writes nothing: by the Run
# entry silently, by hand showing the first one's hidden main window. Another profile runs beside it.
source "$(dirname "$0")/lib.sh"
first="$MAIN:Taktora"
begin
reg_set "$SETTINGS" HideWindow 1
start_taktora
wait_for 30 eval '[[ $(helper text TaktoraTaskBar) == CPU:* ]]' || die "no load in the taskbar caption after 30 s"
reg_delete "$SETTINGS"
for arguments in /startup ""; do
    start_taktora ${arguments:+"$arguments"}
    wait_for 5 eval '! running' || die "a second start ($arguments) still runs after 5 s"
    wait "$TAKTORA_PID" || die "a second start ($arguments) ended with exit code $?"
    if [[ -n $arguments ]] && visible "$first"; then die "a second start at logon showed the main window"; fi
done
wait_for 5 visible "$first" || die "a second start by hand did not show the running one's main window"
if reg_get "$SETTINGS" WinTop; then die "a second start wrote the settings"; fi
start_taktora 2
wait_window "$MAIN:Taktora.2"
helper close "$first" 15000 || die "the first copy did not close"
expect_settings HideWindow=1
