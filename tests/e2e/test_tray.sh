#!/usr/bin/env bash
# The tray icon and the taskbar button in Wine's virtual desktop: the icon's picture pixel for pixel, with and
# without the digits; the taskbar button and its load caption; the icon given back after the notification area was
# made anew; the icon's menu; unticking the tray option while the main window is hidden; the top-most option.
# The temperature monitor stand-in is the load source, so that the load, and with it the picture, is known: 50 %.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin --desktop=1024x768

key='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
# The icon's frame takes the system's 3-D colours. Wine's are grey and white, and white is also the taskbar's
# background; colours of our own make every frame pixel tell.
dark='128,0,64'
light='255,255,0'
e2e_reg_set 'HKCU\Control Panel\Colors' ButtonDkShadow "${dark//,/ }"
e2e_reg_set 'HKCU\Control Panel\Colors' ButtonHilight "${light//,/ }"
e2e_reg_set "$key" Interval 500
e2e_reg_set "$key" ShowInTask 1

wine "$TAKTORA_HELPERS_DIR/coretemp_standin.exe" --load 50,50 --temp 40,40 --tjmax 100 >"$E2E_WORK/standin.log" 2>&1 &
e2e_wait_window CORETEMP >/dev/null

read -r _ barTop barWidth barHeight _ <<<"$(e2e_wait_window Shell_TrayWnd)"
((barTop > 700 && barHeight > 16)) || e2e_die "no taskbar at the bottom of the screen: top $barTop, height $barHeight"
endWidth=128
endLeft=$((barWidth - endWidth))

# tray_icons SHOT: prints "left top" of every icon picture at the taskbar's right end: a frame whose dark top and
# left sides meet in the top-left corner and whose light right and bottom sides meet in the bottom-right one.
tray_icons() {
    convert "$1" -crop "${endWidth}x${barHeight}+${endLeft}+${barTop}" +repage -depth 8 txt:- |
        awk -v dark="($dark)" -v light="($light)" -v left="$endLeft" -v top="$barTop" '
            NR > 1 { split($1, at, /[,:]/); pixel[at[1] "," at[2]] = $2; width = at[1] + 1; height = at[2] + 1 }
            END {
                for (y = 0; y + 16 <= height; y++) {
                    for (x = 0; x + 16 <= width; x++) {
                        if (pixel[x "," y] == dark && pixel[x + 14 "," y] == dark && pixel[x "," y + 15] == dark &&
                            pixel[x + 15 "," y] == light && pixel[x + 15 "," y + 15] == light &&
                            pixel[x + 1 "," y + 15] == light) {
                            print left + x, top + y
                        }
                    }
                }
            }'
}

# icon_rows SHOT LEFT TOP: the 16 x 16 pixels as letters, one line per row: D and L the dark and light frame colour,
# K black, W the digits' white, T the bar top, G the bar, ? anything else.
icon_rows() {
    convert "$1" -crop "16x16+$2+$3" +repage -depth 8 txt:- |
        awk -v dark="($dark)" -v light="($light)" '
            BEGIN {
                letter[dark] = "D"; letter[light] = "L"; letter["(0,0,0)"] = "K"; letter["(252,254,252)"] = "W"
                letter["(96,204,96)"] = "T"; letter["(0,128,0)"] = "G"
            }
            NR > 1 { split($1, at, /[,:]/); row[at[2]] = row[at[2]] ($2 in letter ? letter[$2] : "?") }
            END { for (y = 0; y < 16; y++) print row[y] }'
}

# The load 50 in every one of the 14 columns: the bar top in row 7 (14 - 50 * 14 / 100), the bar below it down to
# the frame. The digits "50" in the regular strip, right-aligned, start at column 3, rows 4 to 10; their shadow,
# one pixel right of and below each stroke, cuts black into the bars; the frame covers everything at the edges.
icon50=$(
    cat <<'EOF'
DDDDDDDDDDDDDDDL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DKKWWWWKWWWWKKKL
DKKWKKKKWKKWKKKL
DKKWKKKKWKKWKKKL
DTTWWWWTWKTWKTTL
DGGGKKWKWKGWKGGL
DGGGGGWKWKGWKGGL
DGGWWWWKWWWWKGGL
DGGGKKKKGKKKKGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DLLLLLLLLLLLLLLL
EOF
)
# The same without the digits.
bars50=$(
    cat <<'EOF'
DDDDDDDDDDDDDDDL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DKKKKKKKKKKKKKKL
DTTTTTTTTTTTTTTL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DGGGGGGGGGGGGGGL
DLLLLLLLLLLLLLLL
EOF
)

shot=$E2E_WORK/screen.png
iconLeft=
iconTop=

# icon_count COUNT: a screenshot shows COUNT icon pictures; with one, its place goes to iconLeft and iconTop.
icon_count() {
    e2e_screenshot "$shot" || return 1
    local places
    places=$(tray_icons "$shot")
    [[ $(grep -c . <<<"$places") == "$1" ]] || return 1
    [[ $1 != 1 ]] || read -r iconLeft iconTop <<<"$places"
}

# icon_shows PICTURE: exactly one icon, and it shows the picture; what it showed is kept for the failure message.
icon_shows() {
    icon_count 1 || return 1
    icon_rows "$shot" "$iconLeft" "$iconTop" >"$E2E_WORK/icon.txt"
    [[ $(<"$E2E_WORK/icon.txt") == "$1" ]]
}

# expect_icon PICTURE SECONDS WHAT
expect_icon() {
    e2e_wait_until "$2" icon_shows "$1" ||
        e2e_die "$3: expected the icon"$'\n'"$1"$'\n'"got"$'\n'"$(cat "$E2E_WORK/icon.txt" 2>/dev/null)"
}

# shown [CLASS]: the first window of the class (the main window's by default) exists and is visible.
shown() {
    [[ $(e2e_window_rect "$@") == *" 1" ]]
}

# click_main: activates the main window with a click into its graph, for the keys that follow.
click_main() {
    local left top width height
    read -r left top width height _ <<<"$(e2e_window_rect)"
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
    sleep 0.3
}

# --- The picture, the taskbar button, the notification area made anew, the menu.
e2e_start_taktora
e2e_wait_window >/dev/null
expect_icon "$icon50" 25 "the tray icon at a steady load of 50 %"
mkdir -p "$E2E_ARTIFACTS"
convert "$shot" -crop "${endWidth}x${barHeight}+${endLeft}+${barTop}" +repage "$E2E_ARTIFACTS/tray.png"

read -r _ _ _ _ visible <<<"$(e2e_window_rect TaktoraTaskBar)"
e2e_assert_eq 1 "$visible" "taskbar-button window shown with ShowInTask=1"
e2e_assert_eq "CPU:50%" "$(e2e_helper wintext TaktoraTaskBar)" "taskbar button caption"

# Digits and taskbar button off in the settings dialog: the bars show through, the button goes.
click_main
xdotool key F1
e2e_wait_until 10 shown TaktoraSettings || e2e_die "F1 did not open the dialog"
xdotool key alt+i
xdotool key alt+p
xdotool key Return
expect_icon "$bars50" 5 "the tray icon with CPU-Auslastungswert im Icon anzeigen unticked"
read -r _ _ _ _ visible <<<"$(e2e_window_rect TaktoraTaskBar)"
e2e_assert_eq 0 "$visible" "taskbar-button window after unticking the taskbar option"

# The notification area forgets the icon; its "TaskbarCreated" message brings it back, once.
e2e_helper traydel TaktoraMain || e2e_die "the notification area had no icon of the main window"
e2e_wait_until 5 icon_count 0 || e2e_die "the icon is still shown after it was removed"
e2e_helper sendmsg TaktoraMain TaskbarCreated || e2e_die "TaskbarCreated not delivered"
expect_icon "$bars50" 5 "the tray icon after TaskbarCreated"
e2e_helper sendmsg TaktoraMain TaskbarCreated || e2e_die "second TaskbarCreated not delivered"
sleep 1
expect_icon "$bars50" 1 "the tray icon after TaskbarCreated while it was there"

# A right click on the icon opens the popup menu; Escape closes it.
xdotool mousemove $((iconLeft + 8)) $((iconTop + 8)) click 3
e2e_wait_until 5 shown '#32768' || e2e_die "no popup menu after a right click"
xdotool key Escape
e2e_wait_until 5 eval '! shown "#32768"' || e2e_die "the menu did not close"
e2e_close_taktora
e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code"

# --- Hidden behind the icon; unticking the tray option removes the icon and shows the window.
e2e_reg_set "$key" HideWindow 1
e2e_start_taktora
e2e_wait_window >/dev/null
e2e_wait_until 10 icon_count 1 || e2e_die "no tray icon with HideWindow=1"
sleep 1
read -r _ _ _ _ visible <<<"$(e2e_window_rect)"
e2e_assert_eq 0 "$visible" "main window with HideWindow=1"
# The window is hidden, so the keys can't reach it: the dialog comes from the icon's menu, by mouse.
xdotool mousemove $((iconLeft + 8)) $((iconTop + 8)) click 3
e2e_wait_until 5 shown '#32768' || e2e_die "no popup menu on the tray icon"
read -r menuLeft menuTop menuWidth _ <<<"$(e2e_window_rect '#32768')"
xdotool mousemove $((menuLeft + menuWidth / 3)) $((menuTop + 10)) click 1
e2e_wait_until 10 shown TaktoraSettings ||
    e2e_die "the menu's first item did not open the dialog"
xdotool key alt+a
e2e_wait_until 5 shown || e2e_die "the main window did not come back"
e2e_wait_until 5 icon_count 0 || e2e_die "the tray icon is still shown after unticking the tray option"
if e2e_helper traydel TaktoraMain; then
    e2e_die "the notification area still had the icon after unticking the tray option"
fi
xdotool key Return
e2e_wait_until 5 eval '! shown TaktoraSettings' || e2e_die "OK did not close the dialog"
read -r _ _ _ _ visible <<<"$(e2e_window_rect)"
e2e_assert_eq 1 "$visible" "main window after OK"
e2e_close_taktora
e2e_assert_eq 0 "$(e2e_reg_query "$key" ShowInTray)" "ShowInTray saved"
e2e_assert_eq 0 "$(e2e_reg_query "$key" HideWindow)" "HideWindow saved (no hiding without the icon)"

# --- Top-most: the main window stays above a window activated after it, or not. Wine's virtual desktop does not
# restack its X windows by the top-most band, so its screenshots may show the activated window in front all the
# same; Wine's own z-order, by which Windows draws, is what is checked.
e2e_reg_set "$key" ShowInTray 1
wine notepad >"$E2E_WORK/notepad.log" 2>&1 &
e2e_wait_window Notepad >/dev/null
for onTop in 1 0; do
    e2e_reg_set "$key" WindowOnTop "$onTop"
    e2e_start_taktora
    read -r left top width height _ <<<"$(e2e_wait_window)"
    # Notepad over the main window, then activated after it.
    e2e_helper movewin Notepad $((left - 20)) $((top - 20)) $((width + 200)) $((height + 200))
    click_main
    xdotool mousemove $((left + width + 100)) $((top + height + 100)) click 1
    sleep 0.5
    status=0
    e2e_helper zabove TaktoraMain Notepad || status=$?
    if [[ $onTop == 1 ]]; then
        e2e_assert_eq 0 "$status" "main window above the activated Notepad with WindowOnTop=1 (0 above, 3 below)"
    else
        e2e_assert_eq 3 "$status" "main window below the activated Notepad with WindowOnTop=0 (0 above, 3 below)"
    fi
    e2e_close_taktora
    e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code"
done
