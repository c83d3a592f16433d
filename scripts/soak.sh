#!/usr/bin/env bash
# Long run of build/windows/taktora.exe under Wine at the fastest refresh (0.1 s) with the tray icon and the taskbar
# button on, in a virtual desktop (which has a notification area), watching for leaks.
#
#     bash scripts/soak.sh [SECONDS]        (default 600, that is 6000 updates; at least 70)
#
# Every 10 s it prints the resident memory of taktora.exe's Wine process (VmRSS) and the program's object counts as
# tests/e2e/helpers/guires.cpp reads them (GetGuiResources for GDI and USER objects, GetProcessHandleCount, the live
# entries of its GDI handle table and its handles in the system handle list; Wine 8 answers the first three with 0).
# At the end it prints how much each figure grew from the 60 s sample to the last one (the first minute fills the
# program's histories and Wine's caches) and fails when the resident memory grew by more than 1 MiB in that time.
# Build first: bash scripts/build.sh (taktora.exe and the helper programs in build/windows).
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
readonly kSettingsKey='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'

[[ -f $TAKTORA_HELPERS_DIR/guires.exe ]] || e2e_die "$TAKTORA_HELPERS_DIR/guires.exe is missing (bash scripts/build.sh)"
e2e_begin --desktop=1024x768
e2e_reg_set "$kSettingsKey" Interval 100
e2e_reg_set "$kSettingsKey" ShowInTray 1
e2e_reg_set "$kSettingsKey" ShowInTask 1
# shellcheck disable=SC2119  # taktora.exe starts without arguments
e2e_start_taktora
e2e_wait_window >/dev/null || e2e_die "the main window did not appear"
e2e_wait_window TaktoraTaskBar >/dev/null || e2e_die "the taskbar button window did not appear"
pid=$(measure_linux_pid taktora.exe) || e2e_die "cannot tell taktora.exe's Linux process"

echo "soak: $TAKTORA_EXE ($(stat -c %s "$TAKTORA_EXE") bytes), Linux process $pid, $duration s at Interval=100"
echo "soak: host load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg), $(nproc) cores"
printf '%6s %10s %6s %6s %8s %10s %12s\n' time_s VmRSS_KiB GDI USER handles gdi_table sys_handles

# soak_lost LAST_SECOND: ends the run because taktora.exe has gone; its exit code and output are the evidence.
soak_lost() {
    e2e_wait_taktora_exit 10 || true
    e2e_die "taktora.exe ended after the $1 s sample, exit status ${E2E_TAKTORA_STATUS:-unknown} (the low byte of" \
        "its Windows exit code); its output: $(tail -n 40 "$E2E_WORK/taktora.log")"
}

# One row per sample: time, VmRSS, then the helper's five figures ("-" where it could not answer).
samples=()
lastSecond=
started=${EPOCHREALTIME/[.,]/}
for ((second = 0; second <= duration; second += kSampleSeconds)); do
    # Sleeping up to the planned moment keeps the helper's own start-up time out of the schedule.
    remaining=$((started + second * 1000000 - ${EPOCHREALTIME/[.,]/}))
    if ((remaining > 0)); then
        sleep "$((remaining / 1000000)).$(printf '%06d' $((remaining % 1000000)))"
    fi
    if ! rss=$(measure_rss_kib "$pid") || ! e2e_taktora_running; then
        soak_lost "${lastSecond:-no}"
    fi
    counts=$(e2e_helper guires "$E2E_MAIN_CLASS") || counts="- - - - -"
    lastSecond=$second
    read -r gdi user handles table system <<<"$counts"
    printf '%6d %10d %6s %6s %8s %10s %12s\n' "$second" "$rss" "$gdi" "$user" "$handles" "$table" "$system"
    samples+=("$second $rss $gdi $user $handles $table $system")
done

e2e_close_taktora 15 || e2e_die "taktora.exe did not end on WM_CLOSE"
echo "soak: host load average at the end: $(cut -d ' ' -f 1-3 /proc/loadavg)"

warm=
for sample in "${samples[@]}"; do
    [[ ${sample%% *} == "$kWarmUpSeconds" ]] && warm=$sample
done
last=${samples[-1]}
read -r -a warmFigures <<<"$warm"
read -r -a lastFigures <<<"$last"
names=(time VmRSS_KiB GDI USER handles gdi_table sys_handles)
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
