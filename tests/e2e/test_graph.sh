#!/usr/bin/env bash
# test_graph.sh VERSION: in a prefix reporting that Windows the graph draws green bars from the load source chosen
# for it: the kernel counters under winxp, PDH under win10 (where enumerating PDH's objects would end the process). At
# ten updates a second the picture scrolls in its buffer; the screen shows it in place. The close saves the defaults
# but the rate.
source "$(dirname "$0")/lib.sh"
begin --version="$1"
reg_set "$SETTINGS" Interval 100
# Wine's PDH traces tell which load source drew.
WINEDEBUG=trace+pdh start_taktora
wait_window "$MAIN"

# window_pixels: a screenshot of the main window as lines "x,y: ... #RRGGBB ...".
window_pixels() {
    read -r left top width height _ <<<"$(helper rect "$MAIN")"
    import -window root "$WORK/shot.png"
    convert "$WORK/shot.png" -crop "${width}x${height}+$left+$top" -depth 8 txt:-
}
# bar_columns N: at least N columns of the graph hold a pixel of a bar's colours.
bar_columns() {
    (($(window_pixels | awk -F '[,: ]+' '/#00A000|#A0FFA0|#008000/ { c[$1] = 1 } END { print length(c) }') >= $1))
}
wait_for 20 bar_columns 5 || die "fewer than 5 columns with green bars after 20 s"
# The first column holding a pixel of the run-time text's colour, the same in two pictures of the scrolling graph.
uptime_left() { window_pixels | awk -F '[,: ]+' '/#CCFFCC/ && (f == "" || $1 < f) { f = $1 } END { print f }'; }
first=$(uptime_left) && sleep 1.5 && second=$(uptime_left)
[[ -n $first && $first == "$second" && $first -lt 16 ]] ||
    die "the run-time text moved on the screen from column ${first:-none} to ${second:-none} while the graph scrolled"
pdhSamples=$(grep -c PdhGetFormattedCounterValue "$WORK/taktora.log" || true)
case $1 in
    win10) ((pdhSamples > 0)) || die "the graph was not drawn from PDH" ;;
    *) ((pdhSamples == 0)) || die "PDH was used under $1" ;;
esac
# Neither Windows XP's kernel counters nor Wine's PDH have Task Manager's figure: its box is there, greyed and clear.
[[ $(helper box TaktoraSettings 'A&uslastung wie im Task-Manager (ab Windows 8)') == "0 0" ]] ||
    die "the Task Manager load box is missing or not greyed"
close_taktora
expect_settings Interval=100
