#!/usr/bin/env bash
# The PDH load source on a Windows 10 prefix, where start-up chooses it: the counter is added by its English name
# without enumerating PDH's objects (Wine ends the process inside that enumeration), the graph draws a bar every
# second from Wine's counter, the popup menu answers, and its "Beenden" saves every setting.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

# The template reports Windows XP, which selects the kernel counters; programs started before the switch keep the
# old version, so the prefix is restarted.
e2e_reg_set 'HKCU\Software\Wine' Version win10
e2e_flush_prefix || e2e_die "the prefix did not restart"

settings='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
e2e_reg_set "$settings" ShowInTask 1
# A first save in this prefix with the taskbar button on (see test_foundation.sh).
expected=(
    WinTop=32 WinLeft=32 WinWidth=192 WinHeight=64 Interval=1000
    ShowRunTime=1 ShowInTask=1 ShowInTray=1 ShowUsageValue=1 LockWindow=0 HideWindow=0 RunAtStartup=0
    WindowOnTop=0 UseGetCoreTemp=0 UseBoldFont=0 AlignCenter=0 TaskManager=1 ProcessView=0 Magnetic=1
    ShowCoreTemp=1 ShowCoreTempLine=1 ShowCoreSpeed=1
)
barColours=("0,160,0" "160,255,160" "0,128,0")
log=$E2E_WORK/taktora.log
pixels=$E2E_WORK/pixels
shot=$E2E_WORK/shot.png

# Wine's PDH traces name every PDH function the program calls.
WINEDEBUG=trace+pdh e2e_start_taktora
e2e_wait_window >/dev/null
started=$SECONDS  # the window may have been up for a second or two already: each look costs a wine start
sleep 20
e2e_taktora_running || e2e_die "taktora.exe ended while running; its output:"$'\n'"$(cat "$log")"

grep -q 'PdhAddEnglishCounterW .*L"\\\\Processor(_Total)\\\\% Processor Time"' "$log" ||
    e2e_die "the processor-time counter was not added by its English name"
if grep -q 'PdhEnumObject' "$log"; then
    e2e_die "PDH's objects were enumerated: $(grep -m 1 'PdhEnumObject' "$log")"
fi
samples=$(grep -c 'PdhGetFormattedCounterValue' "$log" || true)
((samples >= 100)) || e2e_die "only $samples PDH samples in 20 s (one every 100 ms expected)"

# Wine's processor-time counter is a constant 0 %: the taskbar caption says so, and every column of the graph is a
# bar one pixel high (its bright top) on the bottom row under the dark column background.
caption=$(e2e_helper wintext TaktoraTaskBar) || e2e_die "no taskbar button"
caption=${caption%$'\r'}
e2e_assert_eq "CPU:0%" "$caption" "taskbar caption"
rect=$(e2e_helper clientrect TaktoraMain) || e2e_die "no main window"
read -r left top graphWidth graphHeight <<<"$rect"
e2e_screenshot "$shot" || e2e_die "no screenshot"
elapsed=$((SECONDS - started))
convert "$shot" -crop "${graphWidth}x${graphHeight}+$left+$top" +repage -depth 8 txt:- |
    awk -F '[,:() ]+' '!/^#/ {print $1, $2, $3, $4, $5}' >"$pixels"
bottom=$((graphHeight - 2))
# Counts the columns inside the frame: drawn ones (the dark background in row 1), those among them with any bar pixel,
# and those whose only bar pixel is the bright top on the bottom row.
read -r drawn barred flat < <(awk -v bottom="$bottom" -v right="$((graphWidth - 2))" -v colours="${barColours[*]}" '
    BEGIN { n = split(colours, list, " "); for (i = 1; i <= n; i++) bar[list[i]] = 1 }
    $1 < 1 || $1 > right || $2 < 1 || $2 > bottom { next }
    { colour = $3 "," $4 "," $5 }
    $2 == 1 && colour == "8,8,8" { drawn[$1] = 1 }
    colour in bar { bars[$1]++; if ($2 == bottom && colour == "160,255,160") top[$1] = 1 }
    END {
        for (x in drawn) { d++; if (bars[x] > 0) b++; if (bars[x] == 1 && top[x]) f++ }
        print d + 0, b + 0, f + 0
    }' "$pixels")
e2e_log "Wine's PDH value in $samples samples: caption $caption; $drawn columns after $elapsed s, $barred with a bar," \
    "$flat at 0 %"
((drawn >= elapsed - 3 && drawn <= elapsed + 3)) || e2e_die "$drawn columns after $elapsed s at one update a second"
e2e_assert_eq "$drawn" "$barred" "columns with a green bar"
e2e_assert_eq "$drawn" "$flat" "columns whose bar shows 0 %"
mkdir -p "$E2E_ARTIFACTS"
convert "$shot" -crop "${graphWidth}x${graphHeight}+$left+$top" +repage -strip "$E2E_ARTIFACTS/graph_pdh_win10.png"

# A right click opens the popup menu; Up from no selection lands on its last item, "&Beenden".
xdotool mousemove $((left + graphWidth / 2)) $((top + graphHeight / 2)) click 3
menu_shown() {
    [[ $(e2e_window_rect '#32768') == *" 1" ]]
}
e2e_wait_until 5 menu_shown || e2e_die "no popup menu after a right click"
xdotool key Up
sleep 0.2
xdotool key Return
e2e_wait_taktora_exit 15 || e2e_die "\"Beenden\" did not end the program"
e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code after \"Beenden\""
if grep -E -q 'unimplemented function|Unhandled exception|wine: ' "$log"; then
    e2e_die "Wine reported a fault: $(grep -E -m 1 'unimplemented function|Unhandled exception|wine: ' "$log")"
fi
grep -q 'PdhCloseQuery' "$log" || e2e_die "the PDH query was not closed at the end"

# One reg.exe call for all values; a value of another type than REG_SZ is kept as "<type>".
declare -A stored=()
while IFS= read -r line; do
    line=${line%$'\r'}
    [[ $line == "    "*"    REG_"* ]] || continue
    line=${line#    }
    name=${line%%    *}
    rest=${line#"$name    "}
    if [[ $rest == "REG_SZ    "* ]]; then
        stored[$name]=${rest#REG_SZ    }
    else
        stored[$name]="<${rest%%    *}>"
    fi
done < <(e2e_wine reg query "$settings" 2>/dev/null | iconv -f CP437 -t UTF-8)
problems=()
for pair in "${expected[@]}"; do
    name=${pair%%=*}
    [[ ${stored[$name]-missing} == "${pair#*=}" ]] || problems+=("$name='${stored[$name]-missing}' (want '${pair#*=}')")
    unset "stored[$name]"
done
for name in "${!stored[@]}"; do
    problems+=("unwanted $name='${stored[$name]}'")
done
((${#problems[@]} == 0)) || e2e_die "settings saved by \"Beenden\": ${problems[*]}"
