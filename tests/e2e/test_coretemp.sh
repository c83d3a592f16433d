#!/usr/bin/env bash
# The temperature monitor as load source, played by coretemp_standin.exe: its load, the temperature curve and the
# speed and temperature lines of the graph; what stays when it quits; UseGetCoreTemp dropped without it; a monitor
# that never gives its mutex back or publishes too short a record; and a start under Windows 98.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

key='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
e2e_reg_set "$key" ShowRunTime 0

client=$E2E_WORK/client.png

# client_shot: the main window's client area, which the graph fills, into $client.
client_shot() {
    local left top width height
    read -r left top width height <<<"$(e2e_helper clientrect TaktoraMain)" || return 1
    e2e_screenshot "$E2E_WORK/screen.png" || return 1
    convert "$E2E_WORK/screen.png" -crop "${width}x${height}+${left}+${top}" +repage -depth 8 "$client"
}

# pixels R,G,B: "x y" of every pixel of the colour in $client.
pixels() {
    convert "$client" txt:- | awk -v colour="($1)" 'NR > 1 && $2 == colour { split($1, at, /[,:]/); print at[1], at[2] }'
}

# rows R,G,B: "top bottom" of the rows holding the colour in $client; nothing when it is absent.
rows() {
    pixels "$1" | awk 'NR == 1 || $2 < top { top = $2 } $2 > bottom { bottom = $2 } END { if (NR) print top, bottom }'
}

caption() {
    e2e_helper wintext TaktoraTaskBar
}

# caption_is LOAD: the taskbar caption shows the load, with either decimal separator.
caption_is() {
    local text
    text=$(caption) || return 1
    [[ ${text/,/.} == "CPU:$1%" ]]
}

# start_standin ARG...: the stand-in with its window in place.
start_standin() {
    wine "$TAKTORA_HELPERS_DIR/coretemp_standin.exe" "$@" >"$E2E_WORK/standin.log" 2>&1 &
    e2e_wait_window CORETEMP >/dev/null
}

# graph_changed: the graph differs from the one in before.png.
graph_changed() {
    client_shot && ! cmp -s "$client" "$E2E_WORK/before.png"
}

# keeps_drawing: the graph changes within a few seconds (the uptime line counts the seconds).
keeps_drawing() {
    client_shot || return 1
    cp "$client" "$E2E_WORK/before.png"
    e2e_wait_until 5 graph_changed
}

# --- Loads 70 and 91, temperatures 50 and 60 °C, TjMax 100, 2400 MHz.
start_standin --load 70,91 --temp 50,60 --tjmax 100 --speed 2400 --fsb 200 --mult 12
e2e_start_taktora
e2e_wait_window >/dev/null
# The mean of the two cores, whatever the processor really does.
e2e_wait_until 15 caption_is 80.5 || e2e_die "the stand-in's load 80.5 is not shown; caption $(caption)"
sleep 3
client_shot
read -r width height < <(identify -format '%w %h\n' "$client")
# The default window's graph box, 186 x 58: the graph's height H is 55.
e2e_assert_eq "186 58" "$width $height" "graph box size"

# The curve: 55 °C of 100 lies at row 55 - 55 * 55 / 100 = 24.75, so 25. The oldest drawn column still holds a
# temperature of 0, which puts its dot on row 55.
pixels 153,16,16 >"$E2E_WORK/dots.txt"
curve=$(awk '$2 == 25' "$E2E_WORK/dots.txt" | wc -l)
((curve >= 3)) || e2e_die "only $curve temperature dots on row 25: $(tr '\n' ' ' <"$E2E_WORK/dots.txt")"
awk 'NR == FNR { if ($2 == 25 && (first == "" || $1 < first)) first = $1; next }
     $2 != 25 && !($2 == 55 && $1 < first) { bad = 1 }
     $2 == 55 { old++ }
     END { exit bad || old > 1 }' "$E2E_WORK/dots.txt" "$E2E_WORK/dots.txt" ||
    e2e_die "temperature dots off the curve: $(tr '\n' ' ' <"$E2E_WORK/dots.txt")"

# Speed line at y = 5 and temperature line at y = 16 with the uptime line off: the same font puts their glyphs
# 11 rows apart, the first one within the few rows of the font's leading below y = 5.
read -r speedTop speedBottom <<<"$(rows 204,204,255)"
read -r tempTop tempBottom <<<"$(rows 255,204,204)"
[[ -n $speedTop && -n $tempTop ]] || e2e_die "speed line '$speedTop' or temperature line '$tempTop' missing"
((speedTop >= 5 && speedTop <= 8 && speedBottom < 16)) || e2e_die "speed line on rows $speedTop to $speedBottom"
e2e_assert_eq "$((speedTop + 11)) $((speedBottom + 11))" "$tempTop $tempBottom" "temperature line rows"
[[ -z $(rows 204,255,204) ]] || e2e_die "an uptime line with ShowRunTime=0"
cp "$client" "$E2E_WORK/running.png"

# --- The stand-in quits: the load drops to 0, the temperature line and the curve stay as they were.
e2e_helper wmclose CORETEMP 10000 || e2e_die "the stand-in did not close"
e2e_wait_until 5 caption_is 0 || e2e_die "load not 0 after the stand-in quit: $(caption)"
sleep 1.5
client_shot
convert "$E2E_WORK/running.png" -crop 60x24+0+4 +repage "$E2E_WORK/lines-before.png"
convert "$client" -crop 60x24+0+4 +repage "$E2E_WORK/lines-after.png"
[[ $(compare -metric AE "$E2E_WORK/lines-before.png" "$E2E_WORK/lines-after.png" null: 2>&1) == 0 ]] ||
    e2e_die "the speed and temperature lines changed after the stand-in quit"
pixels 153,16,16 | awk '$1 == 184 && $2 == 25 { found = 1 } END { exit !found }' ||
    e2e_die "the newest column has no temperature dot on row 25 after the stand-in quit"
e2e_close_taktora
e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code with the stand-in"
e2e_assert_eq 1 "$(e2e_reg_query "$key" UseGetCoreTemp)" "UseGetCoreTemp saved while in use"

# --- No stand-in: the option is dropped at the next save.
e2e_start_taktora
e2e_wait_window >/dev/null
e2e_wait_until 10 caption >/dev/null || e2e_die "no taskbar caption"
e2e_close_taktora
e2e_assert_eq 0 "$(e2e_reg_query "$key" UseGetCoreTemp)" "UseGetCoreTemp saved without the stand-in"

# --- A stand-in that keeps its mutex, and one with a record of 100 bytes: the monitor starts, keeps drawing and
# ends normally.
e2e_reg_set "$key" ShowRunTime 1
for broken in --hold-mutex --short-mapping; do
    e2e_reg_set "$key" UseGetCoreTemp 1
    start_standin --load 70,91 --temp 50,60 --tjmax 100 --speed 2400 "$broken"
    e2e_start_taktora
    e2e_wait_window TaktoraMain 20 >/dev/null || e2e_die "no main window with a stand-in started with $broken"
    keeps_drawing || e2e_die "the graph stands still with a stand-in started with $broken"
    e2e_close_taktora || e2e_die "no normal end with a stand-in started with $broken"
    e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code with a stand-in started with $broken"
    e2e_helper wmclose CORETEMP 10000 || e2e_die "the stand-in ($broken) did not close"
done

# --- Windows 98: Wine reads the version when the prefix starts.
e2e_reg_set 'HKCU\Software\Wine' Version win98
e2e_flush_prefix
version=$(e2e_wine cmd /c ver | tr -d '\r')
[[ $version == *" 4.10."* ]] || e2e_die "the prefix does not report Windows 98: $version"
e2e_start_taktora
e2e_wait_window >/dev/null
keeps_drawing || e2e_die "the graph stands still under Windows 98"
e2e_close_taktora
e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code under Windows 98"
