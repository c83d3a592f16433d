#!/usr/bin/env bash
# With the temperature monitor running (played by the helper) the load comes from its shared record: the mean of
# the cores' loads, 70 and 91, in the taskbar caption, and "use Core Temp" is saved.
source "$(dirname "$0")/lib.sh"
begin
wine "$E2E_HELPER" coretemp 70,91 50,60 </dev/null >"$WORK/coretemp.log" 2>&1 &
wait_for 15 helper rect CORETEMP >/dev/null || die "the temperature monitor's stand-in did not start"
start_taktora
wait_window "$MAIN"
wait_for 15 eval '[[ $(helper text TaktoraTaskBar) == CPU:80[.,]5% ]]' ||
    die "taskbar caption '$(helper text TaktoraTaskBar)' instead of the record's load 80.5 %"
close_taktora
expect_settings UseGetCoreTemp=1
helper close CORETEMP >/dev/null || die "the stand-in did not close"
