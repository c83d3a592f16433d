#!/usr/bin/env bash
# The outside programs: Task Manager from a double-click on the tray icon and from Alt+T; the companion program
# (Alt+E and its menu item) absent and present; the Process Viewer hint without the viewer, and with a stand-in
# viewer its start, its window placed and its moves saved, and the viewer's own start-up settings corrected.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin --desktop=1024x768

key='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
viewerKey='HKCU\Software\Vesk\pview95'
folder=$WINEPREFIX/drive_c/Taktora
e2e_reg_set "$key" TaskManager 1
e2e_reg_set "$key" ProcessView 0
# Frame colours of our own let the icon's frame be found in a screenshot (Wine's highlight is the taskbar's white).
dark='128,0,64'
light='255,255,0'
e2e_reg_set 'HKCU\Control Panel\Colors' ButtonDkShadow "${dark//,/ }"
e2e_reg_set 'HKCU\Control Panel\Colors' ButtonHilight "${light//,/ }"

read -r _ barTop barWidth barHeight _ <<<"$(e2e_wait_window Shell_TrayWnd)"
endLeft=$((barWidth - 128))
shot=$E2E_WORK/screen.png
iconLeft=
iconTop=

# find_icon: the tray icon's top-left corner into iconLeft and iconTop: where the dark top and left sides of its
# frame meet, with the light right side one icon width further.
find_icon() {
    e2e_screenshot "$shot" || return 1
    local place
    place=$(convert "$shot" -crop "128x${barHeight}+${endLeft}+${barTop}" +repage -depth 8 txt:- |
        awk -v dark="($dark)" -v light="($light)" -v left="$endLeft" -v top="$barTop" '
            NR > 1 { split($1, at, /[,:]/); pixel[at[1] "," at[2]] = $2 }
            END {
                for (key in pixel) {
                    split(key, at, ",")
                    x = at[1]; y = at[2]
                    if (pixel[key] == dark && pixel[x + 14 "," y] == dark && pixel[x "," y + 15] == dark &&
                        pixel[x + 15 "," y] == light && pixel[x + 15 "," y + 15] == light) {
                        print left + x, top + y
                    }
                }
            }')
    [[ -n $place ]] && read -r iconLeft iconTop <<<"$place"
}

# shown [CLASS]: the first window of the class (the main window's by default) exists and is visible.
shown() {
    [[ $(e2e_window_rect "$@") == *" 1" ]]
}

# rect_is CLASS RECT: the first window of the class has the rectangle "left top width height visible".
rect_is() {
    [[ $(e2e_window_rect "$1") == "$2" ]]
}

click_main() {
    local left top width height
    read -r left top width height _ <<<"$(e2e_window_rect)"
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
    sleep 0.3
}

# has_caption CLASS CAPTION: the first top-level window of the class has this caption.
has_caption() {
    [[ $(e2e_helper wintext "$1") == "$2" ]]
}

# close_task_manager: Wine's Task Manager is a dialog window titled "Task Manager".
close_task_manager() {
    e2e_helper wmclose '#32770' 10000 || e2e_die "Task Manager did not close"
    if e2e_window_rect '#32770' >/dev/null; then
        e2e_die "a second dialog window is left"
    fi
}

# box_text_is FILE: the message box's text is the file's content, byte for byte.
box_text_is() {
    e2e_helper ctltext '#32770' 0xFFFF >"$E2E_WORK/box.txt" || e2e_die "no text in the message box"
    cmp -s "$1" "$E2E_WORK/box.txt" ||
        e2e_die "message box text: expected"$'\n'"$(cat -A "$1")"$'\n'"got"$'\n'"$(cat -A "$E2E_WORK/box.txt")"
}

# open_menu: a right click into the graph; prints the menu's rectangle.
open_menu() {
    local left top width height
    read -r left top width height _ <<<"$(e2e_window_rect)"
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 3
    e2e_wait_until 5 shown '#32768' || e2e_die "no popup menu after a right click"
    e2e_window_rect '#32768'
}

# choose_second_last: Up twice from no selection lands on the item above "&Beenden", which Return chooses.
choose_second_last() {
    xdotool key Up
    sleep 0.2
    xdotool key Up
    sleep 0.2
    xdotool key Return
}

# --- Task Manager: the tray icon's double-click and Alt+T.
e2e_start_taktora
e2e_wait_window >/dev/null
e2e_wait_until 10 find_icon || e2e_die "no tray icon"
xdotool mousemove $((iconLeft + 8)) $((iconTop + 8)) click --repeat 2 --delay 80 1
e2e_wait_until 15 has_caption '#32770' "Task Manager" || e2e_die "the tray icon's double-click started no Task Manager"
close_task_manager
click_main
xdotool key alt+t
e2e_wait_until 15 has_caption '#32770' "Task Manager" || e2e_die "Alt+T started no Task Manager"
close_task_manager

# --- Companion program absent: Alt+E does nothing, its menu item is hidden, so the item above "&Beenden" is
# "&ProcessViewer", which without the viewer shows the hint.
click_main
xdotool key alt+e
sleep 2
[[ ! -e $folder/argdump.txt ]] || e2e_die "Alt+E started something without the companion program"
read -r _ _ _ menuHeight _ <<<"$(open_menu)"
choose_second_last
e2e_wait_until 10 has_caption '#32770' " HINWEIS:" || e2e_die "no hint box from the menu's item above Beenden"
{
    printf 'ProcessViewer ist ein externes Freeware Programm, daß Sie      \r\n'
    printf 'unter folgender Adresse kostenlos herunterladen können:\r\n\r\n'
} >"$E2E_WORK/hint-head.txt"
{
    printf '\r\n\r\nKopieren Sie den Inhalt des runtergeladenen Archives nach:      \r\n\r\n'
    printf '      C:\\Taktora\\PViewer\\      \r\n\r\n'
    printf 'Danach müssen Sie Taktora neu starten und anschließend      \r\n'
    printf 'ProcessViewer in den Einstellungen aktivieren.      \r\n\r\n'
} >"$E2E_WORK/hint-tail.txt"
e2e_helper ctltext '#32770' 0xFFFF >"$E2E_WORK/hint.txt" || e2e_die "no text in the hint box"
headBytes=$(stat -c %s "$E2E_WORK/hint-head.txt")
tailBytes=$(stat -c %s "$E2E_WORK/hint-tail.txt")
if ! cmp -s -n "$headBytes" "$E2E_WORK/hint-head.txt" "$E2E_WORK/hint.txt" ||
    ! tail -c "$tailBytes" "$E2E_WORK/hint.txt" | cmp -s "$E2E_WORK/hint-tail.txt" -; then
    e2e_die "hint text:"$'\n'"$(cat -A "$E2E_WORK/hint.txt")"
fi
# Between them the viewer's download address, six blanks on either side.
address=$(head -c "-$tailBytes" "$E2E_WORK/hint.txt" | tail -c "+$((headBytes + 1))")
[[ $address =~ ^\ {6}[^\ ]+\ {6}$ ]] || e2e_die "hint's address line: '$address'"
e2e_helper wmclose '#32770' 5000 || e2e_die "the hint box did not close"
e2e_close_taktora

# --- Companion program present: Alt+E and the menu item start it with "!".
cp "$TAKTORA_HELPERS_DIR/argdump.exe" "$folder/taktora.ext"
e2e_start_taktora
e2e_wait_window >/dev/null
click_main
xdotool key alt+e
e2e_wait_until 10 test -e "$folder/argdump.txt" || e2e_die "Alt+E did not start the companion program"
e2e_assert_eq '"C:\Taktora\taktora.ext" !' "$(<"$folder/argdump.txt")" "companion program's command line from Alt+E"
rm "$folder/argdump.txt"
read -r _ _ _ height _ <<<"$(open_menu)"
((height > menuHeight)) || e2e_die "the menu has no more items with the companion program: $height vs $menuHeight"
choose_second_last
e2e_wait_until 10 test -e "$folder/argdump.txt" || e2e_die "the menu item above Beenden started no companion program"
e2e_assert_eq '"C:\Taktora\taktora.ext" !' "$(<"$folder/argdump.txt")" "companion program's command line from the menu"
e2e_close_taktora
rm "$folder/taktora.ext" "$folder/argdump.txt"

# --- Viewer present, its settings never written: no warning; its command-line tool ends a running viewer; the
# values are written.
mkdir "$folder/PViewer"
cp "$TAKTORA_HELPERS_DIR/fakeviewer.exe" "$folder/PViewer/PrcView.exe"
cp "$TAKTORA_HELPERS_DIR/argdump.exe" "$folder/PViewer/PV.exe"
e2e_start_taktora
e2e_wait_window >/dev/null
e2e_wait_until 10 test -e "$folder/PViewer/argdump.txt" || e2e_die "PV.exe was not run at start-up"
e2e_assert_eq '"C:\Taktora\PViewer\PV.exe" -kf PrcView.exe' "$(<"$folder/PViewer/argdump.txt")" "PV.exe command line"
if e2e_window_rect '#32770' >/dev/null; then
    e2e_die "a message box at a first start with the viewer: $(e2e_helper wintext '#32770')"
fi
for value in UseSysTray=0 AllowMultiplyInstances=0 StartMinimized=0 Colorize=1; do
    e2e_assert_eq "${value#*=}" "$(e2e_reg_query "$viewerKey" "${value%=*}")" "viewer setting ${value%=*}"
done

# A running viewer without stored place is put at (32, 32), 800 x 600 by Alt+P (whose new viewer ends at once, as
# the real one does while one runs).
wine "$folder/PViewer/PrcView.exe" 100 100 320 240 >"$E2E_WORK/viewer.log" 2>&1 &
e2e_wait_window FakeProcessViewer >/dev/null
# Covered by another window, the viewer comes to the top.
wine notepad >"$E2E_WORK/notepad.log" 2>&1 &
e2e_wait_window Notepad >/dev/null
e2e_helper movewin Notepad 80 80 400 300 || e2e_die "cannot move Notepad"
click_main
xdotool key alt+p
e2e_wait_until 10 rect_is FakeProcessViewer "32 32 800 600 1" ||
    e2e_die "viewer window not placed at the default: $(e2e_window_rect FakeProcessViewer)"
status=0
e2e_helper zabove FakeProcessViewer Notepad || status=$?
e2e_assert_eq 0 "$status" "viewer above the covering Notepad after Alt+P (0 above, 3 below)"
e2e_helper wmclose Notepad 5000 || e2e_die "Notepad did not close"

# Moved by the user: saved at the next tick.
e2e_helper movewin FakeProcessViewer 200 150 500 400 || e2e_die "cannot move the viewer window"
saved() {
    [[ $(e2e_reg_query "$key" PV.Top) == 150 && $(e2e_reg_query "$key" PV.Left) == 200 &&
        $(e2e_reg_query "$key" PV.Width) == 500 && $(e2e_reg_query "$key" PV.Height) == 400 ]]
}
e2e_wait_until 10 saved || e2e_die "viewer rectangle not saved: $(e2e_reg_query "$key" PV.Left || true)" \
    "$(e2e_reg_query "$key" PV.Top || true) $(e2e_reg_query "$key" PV.Width || true)" \
    "$(e2e_reg_query "$key" PV.Height || true)"
e2e_close_taktora
e2e_helper wmclose FakeProcessViewer 10000 || e2e_die "the viewer did not close"

# --- A start-up setting of the viewer switched on: the warning, then the same correction; a later Alt+P puts a
# running viewer where it was saved.
e2e_reg_set "$viewerKey" StartMinimized 1
rm "$folder/PViewer/argdump.txt"
wine "$folder/PViewer/PrcView.exe" 100 100 320 240 >"$E2E_WORK/viewer.log" 2>&1 &
e2e_wait_window FakeProcessViewer >/dev/null
e2e_start_taktora
e2e_wait_until 15 has_caption '#32770' " ACHTUNG:" || e2e_die "no warning with StartMinimized=1"
{
    printf "Die ''Start up'' Einstellungen vom ProcessViewer sollte für die Verwendung mit      \r\n"
    printf 'Taktora ausgeschaltet sein!  Die Einstellungen werden jetzt abgeschaltet.      \r\n\r\n'
} >"$E2E_WORK/warning.txt"
box_text_is "$E2E_WORK/warning.txt"
e2e_helper wmclose '#32770' 5000 || e2e_die "the warning did not close"
e2e_wait_until 10 shown || e2e_die "no main window after the warning"
for value in UseSysTray=0 AllowMultiplyInstances=0 StartMinimized=0 Colorize=1; do
    e2e_assert_eq "${value#*=}" "$(e2e_reg_query "$viewerKey" "${value%=*}")" "viewer setting ${value%=*}"
done
e2e_wait_until 10 test -e "$folder/PViewer/argdump.txt" || e2e_die "PV.exe was not run after the warning"
click_main
xdotool key alt+p
e2e_wait_until 10 rect_is FakeProcessViewer "200 150 500 400 1" ||
    e2e_die "viewer window not placed where it was saved: $(e2e_window_rect FakeProcessViewer)"
e2e_close_taktora
e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code"
