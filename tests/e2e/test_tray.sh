#!/usr/bin/env bash
# In Wine's virtual desktop the tray icon shows at the right end of the taskbar and goes with the program, and the
# taskbar-button window is shown with the load as its caption.
source "$(dirname "$0")/lib.sh"
begin --desktop
reg_set "$SETTINGS" ShowInTask 1

# icon_shown: the notification area at the taskbar's right end holds more than its background colour.
icon_shown() {
    local left top width height
    read -r left top width height _ <<<"$(helper rect Shell_TrayWnd)"
    import -window root "$WORK/shot.png"
    (($(convert "$WORK/shot.png" -crop "24x$height+$((left + width - 24))+$top" -format %k info:) > 2))
}
start_taktora
wait_window "$MAIN"
wait_for 15 icon_shown || die "no tray icon"
wait_window TaktoraTaskBar
wait_for 5 eval '[[ $(helper text TaktoraTaskBar) =~ ^CPU:[0-9]+([.,][0-9])?%$ ]]' ||
    die "taskbar button caption '$(helper text TaktoraTaskBar)'"
close_taktora
wait_for 5 eval '! icon_shown' || die "the tray icon stayed after the program ended"
