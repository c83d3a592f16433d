#!/usr/bin/env bash
# The main window under real mouse and key input: dragged by its graph it follows the pointer and snaps to the left
# screen edge from 8 pixels on; its sizing border resizes it down to 125 x 50 and no further; locked, neither
# changes it; a right click opens the popup menu, whose last item ends the program, and Alt+F4 ends it too, both
# saving the window's place.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
MENU='#32768'
ARTIFACTS=$E2E_ARTIFACTS

# drag X Y DX DY: presses the left button at X,Y, moves the pointer by DX,DY in six steps and lets go.
drag() {
    local x=$1 y=$2 dx=$3 dy=$4 step
    xdotool mousemove "$x" "$y" sleep 0.3 mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $((x + dx * step / 6)) $((y + dy * step / 6)) sleep 0.1
    done
    xdotool sleep 0.2 mouseup 1
}

window_rect() {
    local rect
    rect=$(e2e_window_rect) || return 1
    echo "${rect% *}"
}

menu_open() {
    local rect
    rect=$(e2e_window_rect "$MENU") && [[ $rect == *" 1" ]]
}

rect_is() {
    [[ $(window_rect) == "$1" ]]
}

# expect_rect "LEFT TOP WIDTH HEIGHT" WHAT: the main window gets there within 3 s.
expect_rect() {
    e2e_wait_until 3 rect_is "$1" ||
        e2e_die "$2: expected the window at '$1', it is at '$(window_rect)'"
}

# drag_graph DX DY: drags the window by the middle of its graph.
drag_graph() {
    local left top width height
    read -r left top width height <<<"$(window_rect)"
    drag $((left + width / 2)) $((top + height / 2)) "$1" "$2"
}

# drag_corner DX DY: drags the bottom-right corner of the sizing border.
drag_corner() {
    local left top width height
    read -r left top width height <<<"$(window_rect)"
    drag $((left + width - 2)) $((top + height - 2)) "$1" "$2"
}

# expect_stored "LEFT TOP WIDTH HEIGHT" WHAT: the saved window rectangle.
expect_stored() {
    local expected names=(WinLeft WinTop WinWidth WinHeight) i value
    read -r -a expected <<<"$1"
    for i in 0 1 2 3; do
        value=$(e2e_reg_query "$SETTINGS_KEY" "${names[i]}") || e2e_die "$2: ${names[i]} was not saved"
        [[ $value == "${expected[i]}" ]] || e2e_die "$2: ${names[i]} saved as '$value', the window was at '$1'"
    done
}

e2e_start_taktora
e2e_wait_window >/dev/null
expect_rect "32 32 192 64" "a first start"

# The window follows a left-button drag of its graph by the same distance.
drag_graph 150 100
expect_rect "182 132 192 64" "after dragging by 150,100"
# Magnetic (the default): 9 pixels from the left edge stay, 8 snap to the edge.
drag_graph -173 0
expect_rect "9 132 192 64" "after dropping 9 pixels from the left edge"
drag_graph -1 0
expect_rect "0 132 192 64" "after dropping 8 pixels from the left edge"

# The bottom-right sizing border resizes it, but not below 125 x 50.
drag_corner 40 20
expect_rect "0 132 232 84" "after pulling the sizing border outwards"
drag_corner -200 -100
expect_rect "0 132 125 50" "after pushing the sizing border far inwards"

# A right click on the graph opens the popup menu at the pointer.
read -r left top width height <<<"$(window_rect)"
pointerX=$((left + width / 2))
pointerY=$((top + height / 2))
xdotool mousemove "$pointerX" "$pointerY" sleep 0.3 click 3
e2e_wait_until 5 menu_open || e2e_die "a right click did not open the popup menu"
read -r menuLeft menuTop menuWidth menuHeight _ <<<"$(e2e_window_rect "$MENU")"
e2e_assert_eq "$pointerX $pointerY" "$menuLeft $menuTop" "the popup menu's top-left corner"
e2e_screenshot "$E2E_WORK/menu.png"
mkdir -p "$ARTIFACTS"
cropLeft=$((left > 4 ? left - 4 : 0))
cropTop=$((top > 4 ? top - 4 : 0))
cropRight=$((menuLeft + menuWidth + 4))
cropBottom=$((menuTop + menuHeight + 4))
convert "$E2E_WORK/menu.png" -crop "$((cropRight - cropLeft))x$((cropBottom - cropTop))+$cropLeft+$cropTop" +repage \
    "$ARTIFACTS/popup_menu.png"
# Its last item, "&Beenden", ends the program, which saves where the window is.
xdotool mousemove $((menuLeft + menuWidth / 2)) $((menuTop + menuHeight - 8)) sleep 0.3 click 1
e2e_wait_taktora_exit 15
expect_stored "0 132 125 50" "ended through the popup menu"

# Locked: neither a drag nor the sizing border changes the window, not even after a refresh.
e2e_reg_set "$SETTINGS_KEY" LockWindow 1
e2e_start_taktora
e2e_wait_window >/dev/null
expect_rect "0 132 125 50" "the saved place after a restart"
drag_graph 100 80
drag_corner 60 30
sleep 1.5
expect_rect "0 132 125 50" "the locked window after a drag and a pull at its border"

# Alt+F4 on the main window ends the program and saves: the settings removed meanwhile are written again.
e2e_reg_delete "$SETTINGS_KEY"
read -r left top width height <<<"$(window_rect)"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) sleep 0.3 key alt+F4
e2e_wait_taktora_exit 15
expect_stored "0 132 125 50" "ended with Alt+F4"
e2e_assert_eq 1 "$(e2e_reg_query "$SETTINGS_KEY" LockWindow)" "LockWindow saved by Alt+F4"
