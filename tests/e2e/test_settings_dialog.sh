#!/usr/bin/env bash
# The settings dialog as the user meets it, with real mouse and key input: a double-click on the graph opens it in
# the centre of the screen with running clocks; its Run-entry box acts on OK, the rate box speeds the graph up at
# once and is shown again after a restart, changing "CoreTemp verwenden" asks for a restart once, and Alt+F4 only
# hides it. A Core Temp stand-in runs throughout, so that its box can be changed.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
RUN_VALUE='"C:\Taktora\taktora.exe" /startup'
DIALOG=TaktoraSettings
MESSAGE_BOX='#32770'
ARTIFACTS=$E2E_ARTIFACTS

# Places in the dialog's client area, from its layout: a check box's square is at the left of its 15-pixel row;
# the frames shift their controls (Frame1 at 4,0; FrameCT at 4,310; Frame2 at 4,392; Frame4 at 228,392).
RUN_BOX=(22 301)       # "Programm beim Start von &Windows laden", Frame1 11,294
CORETEMP_BOX=(22 333)  # "CoreTemp verwenden", FrameCT 11,16
RATE_BOX=(126 416)     # CO1, Frame2 102,14, 41 wide
OK_BUTTON=(260 416)    # C1, Frame4 10,14, 45 x 21
UPTIME_CLOCK=(208 82 75 13)   # LRT, Frame1 204,82
RUN_TIME_CLOCK=(208 96 75 13)  # LPR, Frame1 204,96
RATES=(0.1 0.5 1.0 1.5 2.0 2.5 3.0 3.5 4.0 4.5 5.0)

read -r SCREEN_WIDTH SCREEN_HEIGHT < <(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[1], size[2] }')

# click_at X Y [BUTTON] [COUNT]: a real click on the screen. Wine must see the pointer arrive before the button.
click_at() {
    xdotool mousemove "$1" "$2" sleep 0.3 click --repeat "${4:-1}" --delay 80 "${3:-1}"
}

# key_over X Y KEY: without a window manager the keyboard goes to the window under the pointer.
key_over() {
    xdotool mousemove "$1" "$2" sleep 0.3 key "$3"
}

# dialog_click DX DY: a click at a place of the dialog's client area.
dialog_click() {
    local left top width height
    read -r left top width height <<<"$(e2e_helper clientrect "$DIALOG")"
    click_at $((left + $1)) $((top + $2))
}

visible() {
    local rect
    rect=$(e2e_window_rect "$1") && [[ $rect == *" 1" ]]
}

hidden() {
    ! visible "$1"
}

main_centre() {
    local left top width height
    read -r left top width height _ <<<"$(e2e_window_rect)"
    echo $((left + width / 2)) $((top + height / 2))
}

open_with_f1() {
    local x y
    read -r x y <<<"$(main_centre)"
    key_over "$x" "$y" F1
    e2e_wait_until 5 visible "$DIALOG" || e2e_die "F1 on the main window did not show the dialog"
}

press_ok() {
    dialog_click "${OK_BUTTON[@]}"
    e2e_wait_until 5 hidden "$DIALOG" || e2e_die "OK did not hide the dialog"
}

run_value() {
    e2e_reg_query "$RUN_KEY" Taktora
}

# graph_columns SHOT: how many columns of the graph have been drawn, counted in one row near its bottom, where
# the stand-in's constant 50 % fills every drawn column and no text line reaches; the rest is black.
graph_columns() {
    convert "$1" -crop "${GRAPH_ROW[2]}x1+${GRAPH_ROW[0]}+${GRAPH_ROW[1]}" +repage txt:- |
        tail -n +2 | grep -vc '#000000' || true
}

# columns_per_second SECONDS: graph columns added per second over about that time, from two screenshots, of which
# the second stays as rate2.png.
columns_per_second() {
    local before after started ended
    e2e_screenshot "$E2E_WORK/rate1.png"
    started=$EPOCHREALTIME
    sleep "$1"
    e2e_screenshot "$E2E_WORK/rate2.png"
    ended=$EPOCHREALTIME
    before=$(graph_columns "$E2E_WORK/rate1.png")
    after=$(graph_columns "$E2E_WORK/rate2.png")
    awk -v n=$((after - before)) -v t0="$started" -v t1="$ended" 'BEGIN { printf "%.2f\n", n / (t1 - t0) }'
}

# assert_centred WHERE EXPECTED NAME: the dialog's centre lies within 2 pixels of the screen's.
assert_centred() {
    (($1 >= $2 - 2 && $1 <= $2 + 2)) ||
        e2e_die "the dialog is not centred $3: its centre is at $1, the screen's at $2"
}

# assert_clock_runs NAME LEFT TOP WIDTH HEIGHT: the clock's place in the client area differs between dialog.png and
# the later rate2.png.
assert_clock_runs() {
    local area="${4}x${5}+$((clientLeft + $2))+$((clientTop + $3))" changed
    changed=$(compare -metric AE "$E2E_WORK/dialog.png[$area]" "$E2E_WORK/rate2.png[$area]" null: 2>&1 || true)
    [[ $changed =~ ^[0-9]+$ ]] || e2e_die "cannot compare the $1 clock: $changed"
    ((changed > 0)) || e2e_die "the $1 clock did not advance within 4 s"
}

wine "$TAKTORA_HELPERS_DIR/coretemp_standin.exe" --load 50 </dev/null >"$E2E_WORK/standin.log" 2>&1 &
e2e_wait_until 20 e2e_window_rect CORETEMP >/dev/null || e2e_die "the Core Temp stand-in did not start"
e2e_start_taktora
e2e_wait_window >/dev/null
read -r left top width height <<<"$(e2e_helper clientrect TaktoraMain)"
GRAPH_ROW=("$left" $((top + height - 8)) "$width")

# A left double-click on the graph opens the dialog, centred on the screen, with the client area of its layout.
read -r x y <<<"$(main_centre)"
click_at "$x" "$y" 1 2
e2e_wait_until 5 visible "$DIALOG" || e2e_die "a double-click on the graph did not show the dialog"
read -r left top width height _ <<<"$(e2e_window_rect "$DIALOG")"
assert_centred $((left + width / 2)) $((SCREEN_WIDTH / 2)) horizontally
assert_centred $((top + height / 2)) $((SCREEN_HEIGHT / 2)) vertically
read -r clientLeft clientTop clientWidth clientHeight <<<"$(e2e_helper clientrect "$DIALOG")"
e2e_assert_eq "297 439" "$clientWidth $clientHeight" "the dialog's client area"
e2e_assert_eq 1.0 "$(e2e_helper combotext "$DIALOG")" "the rate box with the default interval"

# The clocks run while the dialog is open; the graph meanwhile adds about one column a second. The pointer leaves
# the graph, whose tooltip would cover the columns.
xdotool mousemove "$clientLeft" "$clientTop"
# A tooltip that is still up in the first picture and gone in the second would count as columns lost.
e2e_wait_until 5 hidden tooltips_class32 || e2e_die "the graph's tooltip stayed up after the pointer left"
e2e_screenshot "$E2E_WORK/dialog.png"
mkdir -p "$ARTIFACTS"
convert "$E2E_WORK/dialog.png" -crop "${width}x${height}+${left}+${top}" +repage "$ARTIFACTS/settings_dialog.png"
slowRate=$(columns_per_second 4)
e2e_log "graph columns a second at the rate 1.0: $slowRate"
assert_clock_runs "Windows run-time" "${UPTIME_CLOCK[@]}"
assert_clock_runs "program run-time" "${RUN_TIME_CLOCK[@]}"
awk -v r="$slowRate" 'BEGIN { exit !(r >= 0.6 && r <= 1.4) }' ||
    e2e_die "at the default rate the graph added $slowRate columns a second instead of about 1"

# Choosing "0.5" in the opened list makes the graph advance twice a second at once.
dialog_click "${RATE_BOX[@]}"
e2e_wait_until 5 visible ComboLBox || e2e_die "the rate box did not open its list"
read -r left top width height _ <<<"$(e2e_window_rect ComboLBox)"
itemHeight=$(((height - 2) / ${#RATES[@]}))
click_at $((left + width / 2)) $((top + 1 + itemHeight + itemHeight / 2))
e2e_wait_until 5 hidden ComboLBox || e2e_die "the rate list did not close after the choice"
e2e_assert_eq 0.5 "$(e2e_helper combotext "$DIALOG")" "the rate box after choosing 0.5"
fastRate=$(columns_per_second 4)
e2e_log "graph columns a second at the rate 0.5: $fastRate"
awk -v r="$fastRate" 'BEGIN { exit !(r >= 1.6 && r <= 2.6) }' ||
    e2e_die "after choosing 0.5 the graph added $fastRate columns a second instead of about 2"

# Ticking the Run box and pressing OK writes the Run value at once, with the interval; unticking removes it.
if run_value >/dev/null; then
    e2e_die "a fresh prefix already has the Run value"
fi
dialog_click "${RUN_BOX[@]}"
press_ok
e2e_assert_eq "$RUN_VALUE" "$(run_value)" "the Run value after ticking the box and OK"
e2e_assert_eq 500 "$(e2e_reg_query "$SETTINGS_KEY" Interval)" "the stored interval after choosing 0.5"
open_with_f1
dialog_click "${RUN_BOX[@]}"
press_ok
if run_value >/dev/null; then
    e2e_die "the Run value is still there after unticking the box and OK"
fi

# Changing "CoreTemp verwenden" (ticked and enabled, as the stand-in runs) asks for a restart when OK is pressed.
open_with_f1
dialog_click "${CORETEMP_BOX[@]}"
press_ok
e2e_wait_until 5 visible "$MESSAGE_BOX" || e2e_die "no restart hint after changing CoreTemp verwenden"
e2e_assert_eq " HINWEIS:" "$(e2e_helper wintext "$MESSAGE_BOX")" "the hint's title"
e2e_assert_eq "Bitte starten Sie den Taktora neu. Danke!    " "$(e2e_helper ctltext "$MESSAGE_BOX" 0xFFFF)" \
    "the hint's text"
e2e_assert_eq 0 "$(e2e_reg_query "$SETTINGS_KEY" UseGetCoreTemp)" "UseGetCoreTemp saved by OK"
read -r left top width height _ <<<"$(e2e_window_rect "$MESSAGE_BOX")"
key_over $((left + width / 2)) $((top + height / 2)) Return
e2e_wait_until 5 hidden "$MESSAGE_BOX" || e2e_die "Enter did not close the restart hint"
# ... once: the next OK has nothing to say.
open_with_f1
press_ok
sleep 1.5
if visible "$MESSAGE_BOX"; then
    e2e_die "the restart hint came again on the next OK"
fi

# Alt+F4 in the dialog saves like OK and only hides the dialog.
open_with_f1
dialog_click "${RUN_BOX[@]}"
read -r left top width height _ <<<"$(e2e_window_rect "$DIALOG")"
key_over $((left + width / 2)) $((top + height / 2)) alt+F4
e2e_wait_until 5 hidden "$DIALOG" || e2e_die "Alt+F4 did not hide the dialog"
e2e_assert_eq "$RUN_VALUE" "$(run_value)" "the Run value after ticking the box and Alt+F4"
sleep 1
e2e_taktora_running || e2e_die "Alt+F4 in the dialog ended the program"
visible TaktoraMain || e2e_die "the main window is gone after Alt+F4 in the dialog"
e2e_window_rect "$DIALOG" >/dev/null || e2e_die "Alt+F4 destroyed the dialog instead of hiding it"

# After a restart the rate box shows the chosen rate again.
e2e_close_taktora
e2e_start_taktora
e2e_wait_window >/dev/null
read -r x y <<<"$(main_centre)"
click_at "$x" "$y" 1 2
e2e_wait_until 5 visible "$DIALOG" || e2e_die "a double-click on the graph did not show the dialog after the restart"
e2e_assert_eq 0.5 "$(e2e_helper combotext "$DIALOG")" "the rate box after a restart"
e2e_close_taktora
