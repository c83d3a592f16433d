#!/usr/bin/env bash
# Long run of build/windows/taktora.exe under Wine at the fastest refresh (0.1 s) with the tray icon and the taskbar
# button on, in a virtual desktop (which has a notification area), watching for leaks.
#
#     bash scripts/soak.sh [SECONDS]        (default 600, that is 6000 updates; at least 70)
#
# Every 10 s it prints the resident memory of taktora.exe's Wine process (VmRSS) and its GDI objects and handles as
# bench/wine/ResourceCount.cpp counts them (the live entries of its GDI handle table and its entries in the system
# handle list, since Wine 8 answers GetGuiResources and GetProcessHandleCount with 0).
# At the end it prints how much each figure grew from the 60 s sample to the last one (the first minute fills the
# program's histories and Wine's caches) and fails when the resident memory grew by more than 1 MiB in that time.
# Build first: bash scripts/build.sh (taktora.exe and e2ehelper.exe in build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh
source scripts/measure.sh

duration=${1:-600}
if [[ ! $duration =~ ^[0-9]+$ ]] || ((duration < 70)); then
    echo "usage: bash scripts/soak.sh [SECONDS]   (at least 70; default 600)" >&2
    exit 2
fi
readonly kSampleSeconds=10 kWarmUpSeconds=60 kAllowedGrowthKib=1024

[[ -f $E2E_HELPER ]] || die "$E2E_HELPER is missing (bash scripts/build.sh)"
cmake --build --preset windows --target resourcecount >/dev/null
COUNTER=$PWD/build/windows/resourcecount.exe
begin --desktop
reg_set "$SETTINGS" Interval 100
reg_set "$SETTINGS" ShowInTray 1
reg_set "$SETTINGS" ShowInTask 1
start_taktora
wait_window "$MAIN"
wait_window TaktoraTaskBar
pid=$(measure_linux_pid taktora.exe) || die "cannot tell taktora.exe's Linux process"

echo "soak: $TAKTORA_EXE ($(stat -c %s "$TAKTORA_EXE") bytes), Linux process $pid, $duration s at Interval=100"
echo "soak: host load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg), $(nproc) cores"
printf '%6s %10s %11s %8s\n' time_s VmRSS_KiB gdi_objects handles

# soak_lost LAST_SECOND: ends the run because taktora.exe has gone; its exit code and output are the evidence.
soak_lost() {
    local status=0
    wait "$TAKTORA_PID" || status=$?
    die "taktora.exe ended after the $1 s sample, exit status $status (the low byte of its Windows exit code);" \
        "its output: $(tail -n 40 "$WORK/taktora.log")"
}

# One row per sample: time, VmRSS, then the helper's two figures ("-" where it could not answer).
samples=()
lastSecond=
started=${EPOCHREALTIME/[.,]/}
for ((second = 0; second <= duration; second += kSampleSeconds)); do
    # Sleeping up to the planned moment keeps the helper's own start-up time out of the schedule.
    remaining=$((started + second * 1000000 - ${EPOCHREALTIME/[.,]/}))
    if ((remaining > 0)); then
        sleep "$((remaining / 1000000)).$(printf '%06d' $((remaining % 1000000)))"
    fi
    if ! rss=$(measure_rss_kib "$pid") || ! running; then
        soak_lost "${lastSecond:-no}"
    fi
    counts=$(w "$COUNTER" "$MAIN") || counts="- -"
    lastSecond=$second
    read -r gdi handles <<<"$counts"
    printf '%6d %10d %11s %8s\n' "$second" "$rss" "$gdi" "$handles"
    samples+=("$second $rss $gdi $handles")
done

close_taktora
echo "soak: host load average at the end: $(cut -d ' ' -f 1-3 /proc/loadavg)"

warm=
for sample in "${samples[@]}"; do
    [[ ${sample%% *} == "$kWarmUpSeconds" ]] && warm=$sample
done
last=${samples[-1]}
read -r -a warmFigures <<<"$warm"
read -r -a lastFigures <<<"$last"
names=(time VmRSS_KiB gdi_objects handles)
echo "soak: growth from ${warmFigures[0]} s to ${lastFigures[0]} s:"
for ((index = 1; index < ${#names[@]}; index++)); do
    if [[ ${warmFigures[index]} =~ ^-?[0-9]+$ && ${lastFigures[index]} =~ ^-?[0-9]+$ ]]; then
        printf '  %-12s %+d (%s -> %s)\n' "${names[index]}" $((lastFigures[index] - warmFigures[index])) \
            "${warmFigures[index]}" "${lastFigures[index]}"
    else
        printf '  %-12s not measured (%s -> %s)\n' "${names[index]}" "${warmFigures[index]}" "${lastFigures[index]}"
    fi
done
growth=$((lastFigures[1] - warmFigures[1]))
if ((growth > kAllowedGrowthKib)); then
    echo "soak: FAIL: resident memory grew by $growth KiB after the first minute (allowed $kAllowedGrowthKib KiB)"
    exit 1
fi
echo "soak: PASS: resident memory grew by $growth KiB after the first minute (allowed $kAllowedGrowthKib KiB)"
