#!/usr/bin/env bash
# Processor time of build/windows/taktora.exe under Wine, against what its sampling alone costs and against the
# prefix's own Task Manager (C:\windows\system32\taskmgr.exe, default settings). In each run the three programs run
# side by side in one virtual desktop with Wine's taskbar and notification area: taktora.exe, samplingfloor.exe
# (bench/wine: the same 100 ms samples through the same kernel reads and an idle timer at the same refresh rate,
# nothing drawn, the part of taktora.exe's time that no drawing can save) and Task Manager.
#
#     bash scripts/overhead.sh [--rate MS] [--size WxH] [--taskbar] [--runs N] [SECONDS]   (300 s, 3 runs)
#
# Without options taktora.exe runs with its default settings (refresh every 1 s, tray icon on). --rate 100 stores
# Interval=100 first, the fastest refresh (10 Hz); --size stores a window of that outer size (the desktop grows to
# hold it); --taskbar switches the taskbar button on. In each run, after the three windows are up and 10 s have
# passed, it reads the user plus system time of the Wine processes from /proc/PID/stat, waits SECONDS and reads them
# again. Each run prints each one's share of one core in that span, taktora.exe's share above the floor (taktora.exe
# less samplingfloor.exe) and the ratio taktora/taskmgr; the last line gives the medians over the runs. Clock ticks
# are 10 ms, so measure long. The prefix's wineserver and explorer.exe (desktop, taskbar, tray) work for all three;
# their time is shown apart, not counted. Other programs on the machine make the figures noisy: the host's load
# average is printed alongside.
# Build first: bash scripts/build.sh (taktora.exe and e2ehelper.exe in build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh
source scripts/measure.sh

usage() {
    echo "usage: bash scripts/overhead.sh [--rate MS] [--size WxH] [--taskbar] [--runs N] [SECONDS]" \
        "(MS 100 to 65535; SECONDS at least 10, default 300; N default 3)" >&2
    exit 2
}

rate=
size=
taskbar=
runs=3
once=
duration=300
arguments=("$@")
while (($# > 0)); do
    case $1 in
        --rate | --size | --runs)
            (($# >= 2)) || usage
            declare "${1#--}=$2"
            shift 2
            ;;
        --taskbar) taskbar=1 && shift ;;
        --once) once=1 && shift ;;
        *)
            duration=$1
            shift
            ;;
    esac
done
if [[ ! $duration =~ ^[0-9]+$ ]] || ((duration < 10)) || [[ ! $runs =~ ^[1-9][0-9]*$ ]]; then
    usage
fi
if [[ -n $rate ]] && { [[ ! $rate =~ ^[0-9]+$ ]] || ((rate < 100 || rate > 65535)); }; then
    usage
fi
if [[ -n $size ]] && [[ ! $size =~ ^([0-9]+)x([0-9]+)$ ]]; then
    usage
fi

# The runs, each in a process of its own with its own prefix and display; then the medians of their figures.
if [[ -z $once ]]; then
    results=()
    for ((run = 1; run <= runs; run++)); do
        echo "overhead: run $run of $runs"
        output=$(bash "$0" --once "${arguments[@]}") || { echo "$output"; exit 1; }
        echo "$output"
        results+=("$(awk '/^overhead: result / {print $3, $4, $5, $6}' <<<"$output")")
    done
    # median COLUMN: the median of that figure over the runs.
    median() {
        printf '%s\n' "${results[@]}" | awk -v c="$1" '{print $c}' | sort -g |
            awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
    }
    echo "overhead: median of $runs runs: taktora.exe $(median 1) %, samplingfloor.exe $(median 2) % of one core," \
        "taktora.exe above the floor $(median 3) %, ratio taktora/taskmgr $(median 4)"
    exit 0
fi
if [[ -n $size ]]; then
    # Room for the window and the desktop's taskbar below it.
    E2E_SCREEN="$((${size%x*} + 64 > 1024 ? ${size%x*} + 64 : 1024))x$((${size#*x} + 568 > 768 ? ${size#*x} + 568 : 768))"
fi
readonly kSettleSeconds=10
ticksPerSecond=$(getconf CLK_TCK)

begin --desktop
if [[ -n $rate ]]; then
    reg_set "$SETTINGS" Interval "$rate"
fi
if [[ -n $size ]]; then
    reg_set "$SETTINGS" WinWidth "${size%x*}"
    reg_set "$SETTINGS" WinHeight "${size#*x}"
fi
if [[ -n $taskbar ]]; then
    reg_set "$SETTINGS" ShowInTask 1
fi
cmake --build --preset windows --target samplingfloor >/dev/null
cp build/windows/samplingfloor.exe "$WINEPREFIX/drive_c/"
start_taktora
wait_window "$MAIN"
(cd "$WINEPREFIX/drive_c" && exec wine 'C:\samplingfloor.exe' "${rate:-1000}") </dev/null >>"$WORK/floor.log" 2>&1 &
floor_running() { measure_linux_pid samplingfloor.exe >/dev/null 2>&1; }
wait_for 30 floor_running || die "samplingfloor.exe did not start"
(cd "$WINEPREFIX/drive_c" && exec wine 'C:\windows\system32\taskmgr.exe') </dev/null >>"$WORK/taskmgr.log" 2>&1 &
# Task Manager is a dialog: its window has the dialog class.
wait_window '#32770'

names=(taktora.exe samplingfloor.exe taskmgr.exe explorer.exe wineserver64)
pids=()
for name in "${names[@]}"; do
    pid=$(measure_linux_pid "$name") || die "cannot tell $name's Linux process"
    pids+=("$pid")
done

echo "overhead: $TAKTORA_EXE ($(stat -c %s "$TAKTORA_EXE") bytes), refresh ${rate:-default (1000)} ms," \
    "window ${size:-default}, taskbar button $([[ -n $taskbar ]] && echo on || echo off), $duration s"
echo "overhead: Linux processes:$(for i in "${!names[@]}"; do printf ' %s %s' "${names[i]}" "${pids[i]}"; done)"
sleep "$kSettleSeconds"
echo "overhead: host load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg), $(nproc) cores"

before=()
for pid in "${pids[@]}"; do
    value=$(measure_cpu_ticks "$pid") || die "cannot read the processor time of process $pid"
    before+=("$value")
done
started=${EPOCHREALTIME/[.,]/}
sleep "$duration"
after=()
for pid in "${pids[@]}"; do
    value=$(measure_cpu_ticks "$pid") || die "process $pid ended during the measurement"
    after+=("$value")
done
elapsed=$((${EPOCHREALTIME/[.,]/} - started))
echo "overhead: host load average at the end: $(cut -d ' ' -f 1-3 /proc/loadavg)"
close_taktora

ticks=()
for index in "${!pids[@]}"; do
    ticks+=($((after[index] - before[index])))
done
# awk does the division; the figures stay in ticks and microseconds until here.
awk -v tps="$ticksPerSecond" -v us="$elapsed" -v taktora="${ticks[0]}" -v floor="${ticks[1]}" -v taskmgr="${ticks[2]}" \
    -v explorer="${ticks[3]}" -v server="${ticks[4]}" 'BEGIN {
    wall = us / 1e6
    share = 100 / tps / wall
    printf "overhead: measured over %.1f s of wall-clock time\n", wall
    printf "  %-28s %9s %12s\n", "process", "CPU s", "one core"
    printf "  %-28s %9.2f %11.3f%%\n", "taktora.exe", taktora / tps, taktora * share
    printf "  %-28s %9.2f %11.3f%%\n", "samplingfloor.exe", floor / tps, floor * share
    printf "  %-28s %9.2f %11.3f%%\n", "taskmgr.exe", taskmgr / tps, taskmgr * share
    printf "  %-28s %9.2f %11.3f%%\n", "(explorer.exe, not counted)", explorer / tps, explorer * share
    printf "  %-28s %9.2f %11.3f%%\n", "(wineserver, not counted)", server / tps, server * share
    printf "overhead: taktora.exe above the floor = %.3f%% of one core\n", (taktora - floor) * share
    if (taskmgr > 0)
        printf "overhead: ratio taktora/taskmgr = %.3f\n", taktora / taskmgr
    else
        print "overhead: ratio taktora/taskmgr: taskmgr.exe used no measurable time"
    printf "overhead: result %.3f %.3f %.3f %.3f\n", taktora * share, floor * share, (taktora - floor) * share,
        (taskmgr > 0 ? taktora / taskmgr : 0)
}'
