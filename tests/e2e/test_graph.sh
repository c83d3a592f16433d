#!/usr/bin/env bash
# The load graph as the user sees it in screenshots: the "Bitte warten ..." note until the first update, bars that
# follow the real load of the processors with the load text in the top-right corner, the sunken frame in the
# system's colours, and a fresh graph after the window has been widened.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

settings='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
# Colours of a user's scheme that nothing else in the graph uses, so the frame is told apart from Wine's border.
e2e_reg_set 'HKCU\Control Panel\Colors' WindowFrame '255 0 255'
e2e_reg_set 'HKCU\Control Panel\Colors' ButtonShadow '0 0 255'
frameColour=255,0,255
shadowColour=0,0,255
white=255,255,255
textShadow=64,64,64
# Every colour a drawn column can have in row 1, which no text reaches: background, bar, highlight, mean dots, band.
# Where no column was drawn the graph is black.
columnColours=("8,8,8" "0,160,0" "160,255,160" "0,128,0" "0,80,80" "112,153,153")
barColours=("0,160,0" "160,255,160" "0,128,0")

pixels=$E2E_WORK/pixels
shot=$E2E_WORK/shot.png

# grab_graph: a screenshot, and "x y r g b" for every pixel of the main window's client area (the graph) in
# $pixels; sets graphWidth and graphHeight.
grab_graph() {
    local rect left top
    rect=$(e2e_helper clientrect TaktoraMain) || e2e_die "no main window to look at"
    read -r left top graphWidth graphHeight <<<"$rect"
    e2e_screenshot "$shot" || e2e_die "no screenshot"
    convert "$shot" -crop "${graphWidth}x${graphHeight}+$left+$top" +repage -depth 8 txt:- |
        awk -F '[,:() ]+' '!/^#/ {print $1, $2, $3, $4, $5}' >"$pixels"
}

# count_pixels X1 Y1 X2 Y2 COLOUR...: how many pixels of the rectangle (corners included) have one of the colours.
count_pixels() {
    local x1=$1 y1=$2 x2=$3 y2=$4
    shift 4
    awk -v x1="$x1" -v y1="$y1" -v x2="$x2" -v y2="$y2" -v colours="$*" '
        BEGIN { n = split(colours, list, " "); for (i = 1; i <= n; i++) wanted[list[i]] = 1 }
        $1 >= x1 && $1 <= x2 && $2 >= y1 && $2 <= y2 && (($3 "," $4 "," $5) in wanted) { count++ }
        END { print count + 0 }' "$pixels"
}

# rightmost_pixel X1 Y1 X2 Y2 COLOUR: the largest x of a pixel of that colour in the rectangle, -1 for none.
rightmost_pixel() {
    awk -v x1="$1" -v y1="$2" -v x2="$3" -v y2="$4" -v colour="$5" '
        BEGIN { found = -1 }
        $1 >= x1 && $1 <= x2 && $2 >= y1 && $2 <= y2 && ($3 "," $4 "," $5) == colour && $1 > found { found = $1 }
        END { print found }' "$pixels"
}

# column_load AGE: the load in percent that the bar AGE updates old shows (the newest, age 0, is right next to the
# right frame line), read from the height of its top; -1 when the column has no bar.
column_load() {
    local x=$((graphWidth - 2 - $1))
    awk -v x="$x" -v bottom="$((graphHeight - 2))" -v colours="${barColours[*]}" '
        BEGIN { n = split(colours, list, " "); for (i = 1; i <= n; i++) bar[list[i]] = 1; top = -1 }
        $1 == x && $2 >= 1 && $2 <= bottom && (($3 "," $4 "," $5) in bar) && (top < 0 || $2 < top) { top = $2 }
        END { h = bottom - 1; print top < 0 ? -1 : int((h + 1 - top) * 100 / h + 0.5) }' "$pixels"
}

# expect_frame WHAT: the sunken frame on the client edge, left and top in the window-frame colour, right and bottom
# in the button-shadow colour (the corners, where two lines meet, are left out).
expect_frame() {
    local w=$graphWidth h=$graphHeight
    e2e_assert_eq $((w - 2)) "$(count_pixels 1 0 $((w - 2)) 0 $frameColour)" "$1: frame pixels of the top line"
    e2e_assert_eq $((h - 2)) "$(count_pixels 0 1 0 $((h - 2)) $frameColour)" "$1: frame pixels of the left line"
    e2e_assert_eq $((h - 2)) "$(count_pixels $((w - 1)) 1 $((w - 1)) $((h - 2)) $shadowColour)" \
        "$1: shadow pixels of the right line"
    e2e_assert_eq $((w - 2)) "$(count_pixels 1 $((h - 1)) $((w - 2)) $((h - 1)) $shadowColour)" \
        "$1: shadow pixels of the bottom line"
}

# expect_load_text WHAT: the white load text with its dark shadow in the top-right corner, ending 7 pixels before
# the right edge.
expect_load_text() {
    local w=$graphWidth right
    (($(count_pixels $((w - 45)) 4 $((w - 2)) 17 $white) >= 10)) || e2e_die "$1: no white load text top right"
    (($(count_pixels $((w - 45)) 5 $((w - 2)) 18 $textShadow) >= 5)) || e2e_die "$1: the load text has no shadow"
    right=$(rightmost_pixel $((w - 45)) 4 $((w - 2)) 17 $white)
    ((right <= w - 7 && right >= w - 12)) || e2e_die "$1: the load text ends at x=$right, width $w"
}

drawn_columns() {
    count_pixels 1 1 $((graphWidth - 2)) 1 "${columnColours[@]}"
}

# --- Start-up with a refresh every 5 s: until the first update the graph holds only the note and its frame.
e2e_reg_set "$settings" Interval 5000
e2e_start_taktora
e2e_wait_window >/dev/null
note_shown() {
    grab_graph
    (($(count_pixels 6 5 60 15 $white) >= 10))
}
e2e_wait_until 3 note_shown || e2e_die "no white \"Bitte warten ...\" text at the top left within 3 s"
(($(count_pixels 7 6 61 16 $textShadow) >= 10)) || e2e_die "the waiting note has no dark shadow"
e2e_assert_eq 0 "$(drawn_columns)" "columns drawn before the first update"
expect_frame "waiting note"

# The first update, 5 s after start-up, draws the columns over the note.
columns_shown() {
    grab_graph
    (($(drawn_columns) > 0))
}
e2e_wait_until 10 columns_shown || e2e_die "no columns in the graph 10 s after the note"
e2e_assert_eq 0 "$(count_pixels 6 5 60 15 $white)" "white note pixels left after the first update"
expect_load_text "first update"
expect_frame "first update"
e2e_close_taktora || e2e_die "the program did not end"

# --- At the default refresh of 1 s: an idle phase, then every processor busy. Other tests share this machine, so
# the bars of the idle phase are compared with the host's own load over the same seconds (/proc/uptime, which is also
# where Wine takes the idle time from) rather than expected near zero.
e2e_reg_delete "$settings" Interval
e2e_start_taktora
e2e_wait_window >/dev/null
processors=$(nproc)
uptimeLog=$E2E_WORK/uptime.log
# note_uptime HALVES: waits HALVES half seconds, noting the host's uptime and idle seconds every half second.
note_uptime() {
    local n
    for ((n = 0; n < $1; n++)); do
        cat /proc/uptime >>"$uptimeLog"
        sleep 0.5
    done
    cat /proc/uptime >>"$uptimeLog"
}
# host_load FROM TO: the host's load in percent between two uptimes, from the outermost notes within them.
host_load() {
    awk -v from="$1" -v to="$2" -v cpus="$processors" '
        $1 >= from && !started { t0 = $1; i0 = $2; started = 1 }
        $1 <= to { t1 = $1; i1 = $2 }
        END { printf "%d", t1 - t0 < 2 ? -1 : 100 - 100 * (i1 - i0) / ((t1 - t0) * cpus) }' "$uptimeLog"
}
sleep 2
note_uptime 16
busy=()
for ((k = 0; k < processors; k++)); do
    timeout 25 bash -c 'while :; do :; done' &
    busy+=($!)
done
note_uptime 19
read -r shotTime _ </proc/uptime
grab_graph
kill "${busy[@]}" 2>/dev/null || true
wait "${busy[@]}" 2>/dev/null || true
mkdir -p "$E2E_ARTIFACTS"
read -r left top width height _ <<<"$(e2e_window_rect)"
convert "$shot" -crop "${width}x${height}+$left+$top" +repage -strip "$E2E_ARTIFACTS/graph_busy.png"

# The bar AGE updates old shows the second that ended about AGE + 0.5 s before the screenshot. The newest six fall
# into the last 6.5 of the 9.5 busy seconds, ages 11 to 16 into the 8 idle seconds before.
span() {
    awk -v t="$shotTime" -v newest="$1" -v oldest="$2" 'BEGIN { printf "%.2f %.2f", t - oldest - 1.5, t - newest - 0.5 }'
}
# shellcheck disable=SC2046  # two numbers
idleHost=$(host_load $(span 11 16))
# shellcheck disable=SC2046
busyHost=$(host_load $(span 0 5))
busyBars=() idleBars=() idleSum=0
for age in 0 1 2 3 4 5; do
    busyBars+=("$(column_load "$age")")
done
for age in 11 12 13 14 15 16; do
    load=$(column_load "$age")
    ((load >= 0)) || e2e_die "the column $age updates old has no bar"
    idleBars+=("$load")
    idleSum=$((idleSum + load))
done
idleMean=$((idleSum / 6))
e2e_log "bars: idle ${idleBars[*]} (mean $idleMean %, host $idleHost %); busy ${busyBars[*]} (host $busyHost %)"
((busyHost >= 80)) || e2e_die "the host was not busy with $processors busy loops ($busyHost %): cannot judge"
for load in "${busyBars[@]}"; do
    ((load >= 50)) || e2e_die "a bar of the busy phase reaches only $load % of the height: ${busyBars[*]}"
done
((idleMean <= idleHost + 25 && idleMean >= idleHost - 25)) ||
    e2e_die "the bars of the idle phase show $idleMean % while the host was $idleHost % busy"
expect_load_text "busy processors"
expect_frame "busy processors"

# --- Widening the window restarts the history: the left part of the graph stays black while new columns appear
# at the right.
columnsBefore=$(drawn_columns)
e2e_helper movewin TaktoraMain "$left" "$top" $((width + 100)) "$height" || e2e_die "movewin failed"
previousWidth=$graphWidth
sleep 2.5
grab_graph
e2e_assert_eq $((previousWidth + 100)) "$graphWidth" "graph width after widening"
columnsAfter=$(drawn_columns)
e2e_log "columns: $columnsBefore before widening, $columnsAfter 2.5 s after"
((columnsAfter >= 1)) || e2e_die "no new columns after widening"
((columnsAfter <= 8 && columnsAfter < columnsBefore)) ||
    e2e_die "$columnsAfter columns 2.5 s after widening ($columnsBefore before): the history was kept"
e2e_assert_eq "$columnsAfter" "$(count_pixels $((graphWidth - 1 - columnsAfter)) 1 $((graphWidth - 2)) 1 \
    "${columnColours[@]}")" "new columns that are not at the right end"
expect_frame "widened window"
e2e_close_taktora || e2e_die "the program did not end"
