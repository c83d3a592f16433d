#!/usr/bin/env bash
# Start-up and the settings store of the real program: the values a first run writes, the Run entry recreated at
# start-up, settings profiles chosen by a number on the command line, a stored window rectangle restored and saved
# back, bad stored values replaced by their defaults, the same values saved by taskkill and the taskbar button's
# close, the load of a busy processor in the taskbar caption, and the settings saved when Windows ends the session
# instead of the window being closed.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

settings='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
runEntry='"C:\Taktora\taktora.exe" /startup'

# The 22 values of a first save in this prefix. TaskMgr.exe exists in system32 and the Process Viewer does not, so
# the double-click goes to the Task Manager; without a temperature monitor "use Core Temp" is stored switched off.
defaults=(
    WinTop=32 WinLeft=32 WinWidth=192 WinHeight=64 Interval=1000
    ShowRunTime=1 ShowInTask=0 ShowInTray=1 ShowUsageValue=1 LockWindow=0 HideWindow=0 RunAtStartup=0
    WindowOnTop=0 UseBoldFont=0 AlignCenter=0 TaskManager=1 ProcessView=0 Magnetic=1
    UseGetCoreTemp=0 ShowCoreTemp=1 ShowCoreTempLine=1 ShowCoreSpeed=1
)

# read_settings: fills the map "stored" with every value under the settings key (one reg.exe call instead of 22).
# A value of another type than REG_SZ is kept as "<type>" so that it never equals a number.
declare -A stored
read_settings() {
    stored=()
    local output line name rest
    output=$(e2e_wine reg query "$settings" 2>/dev/null | iconv -f CP437 -t UTF-8) || return 0
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
    done <<<"$output"
}

# expect_settings WHAT NAME=VALUE...: the settings key holds exactly these values, no more and no fewer.
expect_settings() {
    local what=$1 pair name problems=()
    shift
    declare -A want=()
    for pair in "$@"; do
        want[${pair%%=*}]=${pair#*=}
    done
    read_settings
    for name in "${!want[@]}"; do
        if [[ -z ${stored[$name]+set} ]]; then
            problems+=("$name missing")
        elif [[ ${stored[$name]} != "${want[$name]}" ]]; then
            problems+=("$name='${stored[$name]}' (want '${want[$name]}')")
        fi
    done
    for name in "${!stored[@]}"; do
        [[ -n ${want[$name]+set} ]] || problems+=("unwant $name='${stored[$name]}'")
    done
    ((${#problems[@]} == 0)) || e2e_die "$what: ${problems[*]}"
}

# with_overrides NAME=VALUE...: the defaults with some values replaced, one NAME=VALUE per line.
with_overrides() {
    local pair override
    for pair in "${defaults[@]}"; do
        for override in "$@"; do
            [[ ${override%%=*} == "${pair%%=*}" ]] && pair=$override
        done
        echo "$pair"
    done
}

# expect_rect EXPECTED WHAT: the main window comes to EXPECTED once the program has placed and shown it (the window
# exists a moment before that).
expect_rect() {
    local expected=$1 what=$2
    e2e_wait_window >/dev/null || e2e_die "$what: no main window"
    e2e_wait_until 10 eval '[[ $(e2e_window_rect) == "$expected" ]]' ||
        e2e_assert_eq "$expected" "$(e2e_window_rect)" "$what: main window (left top width height visible)"
}

expect_no_run_entry() {
    if e2e_reg_query "$run" Taktora >/dev/null; then
        e2e_die "$1: a Run entry exists: $(e2e_reg_query "$run" Taktora)"
    fi
}

close_and_expect_exit_0() {
    e2e_close_taktora || e2e_die "$1: the program did not end after WM_CLOSE"
    e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "$1: exit code"
}

# --- A fresh user: the window at the design position and size, every default written by the first save.
e2e_start_taktora
expect_rect "32 32 192 64 1" "fresh user"
close_and_expect_exit_0 "fresh user"
expect_settings "fresh user" "${defaults[@]}"
expect_no_run_entry "fresh user"

# --- Profile 3: its own values, read and written with the suffix .3, beside the untouched plain ones; only
# RunAtStartup is shared and written without suffix.
e2e_reg_set "$settings" WinLeft.3 400
e2e_reg_set "$settings" WinTop.3 200
e2e_start_taktora 3
expect_rect "400 200 192 64 1" "profile 3"
close_and_expect_exit_0 "profile 3"
profile=("${defaults[@]}")
mapfile -t expected < <(with_overrides WinLeft=400 WinTop=200)
for pair in "${expected[@]}"; do
    [[ $pair == RunAtStartup=* ]] || profile+=("${pair%%=*}.3=${pair#*=}")
done
expect_settings "profile 3" "${profile[@]}"

# --- "abc" selects no profile: the plain stored rectangle is restored and saved back unchanged.
e2e_reg_delete "$settings"
for pair in WinLeft=500 WinTop=300 WinWidth=300 WinHeight=100; do
    e2e_reg_set "$settings" "${pair%%=*}" "${pair#*=}"
done
e2e_start_taktora abc
expect_rect "500 300 300 100 1" "stored rectangle, argument abc"
close_and_expect_exit_0 "stored rectangle, argument abc"
mapfile -t expected < <(with_overrides WinLeft=500 WinTop=300 WinWidth=300 WinHeight=100)
expect_settings "stored rectangle, argument abc" "${expected[@]}"

# --- "0" selects no profile either. Values that do not convert start with their defaults (a HideWindow read as 7
# would hide the window) and are saved valid.
e2e_reg_delete "$settings"
e2e_reg_set "$settings" WinTop abc
e2e_reg_set "$settings" Interval 0
e2e_reg_set "$settings" HideWindow 7x
e2e_start_taktora 0
expect_rect "32 32 192 64 1" "bad stored values, argument 0"
close_and_expect_exit_0 "bad stored values, argument 0"
expect_settings "bad stored values, argument 0" "${defaults[@]}"

# --- RunAtStartup stored as 1 without a Run entry: start-up puts the entry back and saves once every stored value is
# read, so the taskbar button, the icon's font options and a 2.5 s refresh survive that save.
e2e_reg_delete "$settings"
kept=(RunAtStartup=1 ShowInTask=1 UseBoldFont=1 AlignCenter=1 Interval=2500)
for pair in "${kept[@]}"; do
    e2e_reg_set "$settings" "${pair%%=*}" "${pair#*=}"
done
e2e_start_taktora
e2e_wait_window >/dev/null
entry=$(e2e_reg_query "$run" Taktora) || e2e_die "RunAtStartup 1: no Run entry while the program runs"
e2e_assert_eq "$runEntry" "$entry" "RunAtStartup 1: Run entry"
mapfile -t expected < <(with_overrides "${kept[@]}")
expect_settings "RunAtStartup 1, saved at start-up" "${expected[@]}"
read -r _ _ _ _ buttonVisible <<<"$(e2e_window_rect TaktoraTaskBar)"
e2e_assert_eq 1 "$buttonVisible" "RunAtStartup 1: taskbar-button window visible"
close_and_expect_exit_0 "RunAtStartup 1"
expect_settings "RunAtStartup 1, saved at closing" "${expected[@]}"
e2e_assert_eq "$runEntry" "$(e2e_reg_query "$run" Taktora)" "RunAtStartup 1: Run entry after closing"
e2e_reg_delete "$run" Taktora

# --- Closed through every top-level window at once, as taskkill without /f does: the main window saves, and the
# settings dialog's close that follows must not store the rectangle of a window that is gone.
e2e_reg_delete "$settings"
e2e_start_taktora
expect_rect "32 32 192 64 1" "taskkill"
e2e_wine taskkill /im taktora.exe >/dev/null || e2e_die "taskkill failed"
e2e_wait_taktora_exit || e2e_die "taskkill: the program did not end"
expect_settings "taskkill" "${defaults[@]}"

# --- The taskbar button's close ends the program the same way.
e2e_reg_delete "$settings"
e2e_reg_set "$settings" ShowInTask 1
e2e_start_taktora
e2e_wait_window >/dev/null
e2e_wait_window TaktoraTaskBar >/dev/null || e2e_die "taskbar button: no window"
e2e_helper wmclose TaktoraTaskBar 15000 || e2e_die "taskbar button: its close failed"
e2e_wait_taktora_exit || e2e_die "taskbar button: the program did not end"
mapfile -t expected < <(with_overrides ShowInTask=1)
expect_settings "taskbar button's close" "${expected[@]}"

# --- A busy processor shows in the taskbar button's caption "CPU:NN%". Other tests share this machine, so the
# caption is compared with the host's own load over the same seconds (/proc/uptime: the idle seconds of all
# processors, which is also what Wine reports as idle time) rather than with fixed numbers.
e2e_reg_delete "$settings"
e2e_reg_set "$settings" ShowInTask 1
e2e_start_taktora
e2e_wait_window >/dev/null
processors=$(nproc)

caption_load() {
    local caption
    caption=$(e2e_helper wintext TaktoraTaskBar) || return 1
    caption=${caption%$'\r'}
    [[ $caption =~ ^CPU:([0-9]+)([.,][0-9]+)?%$ ]] || return 1
    echo "${BASH_REMATCH[1]}"
}

# measure SECONDS: the mean load of the caption and of the host over the next SECONDS seconds, whole percent, into
# measuredCaption and measuredHost.
measure() {
    local deadline sum=0 count=0 load upBefore idleBefore upAfter idleAfter
    read -r upBefore idleBefore </proc/uptime
    deadline=$((${EPOCHREALTIME/./} + $1 * 1000000))
    while ((${EPOCHREALTIME/./} < deadline)); do
        if load=$(caption_load); then
            sum=$((sum + load))
            count=$((count + 1))
        fi
        sleep 0.2
    done
    read -r upAfter idleAfter </proc/uptime
    ((count > 0)) || e2e_die "the taskbar caption never showed a load"
    measuredCaption=$((sum / count))
    measuredHost=$(awk -v t0="$upBefore" -v t1="$upAfter" -v i0="$idleBefore" -v i1="$idleAfter" -v cpus="$processors" \
        'BEGIN {printf "%d", 100 - 100 * (i1 - i0) / ((t1 - t0) * cpus)}')
}

# Until the first update, one second after start-up, the caption shows the start-up sample of 0 %.
e2e_wait_until 10 caption_load >/dev/null || e2e_die "the taskbar caption never showed a load"
sleep 1.5
measure 8
idleCaption=$measuredCaption idleHost=$measuredHost
busy=()
for ((k = 0; k < processors; k++)); do
    timeout 25 bash -c 'while :; do :; done' &
    busy+=($!)
done
sleep 1.5  # let one whole busy period pass
measure 8
busyCaption=$measuredCaption busyHost=$measuredHost
kill "${busy[@]}" 2>/dev/null || true
wait "${busy[@]}" 2>/dev/null || true
e2e_log "caption load: idle phase $idleCaption % (host $idleHost %), busy phase $busyCaption % (host $busyHost %)"
((busyHost >= 80)) || e2e_die "the host was not busy with $processors busy loops ($busyHost %): cannot judge"
((busyCaption >= busyHost - 25)) || e2e_die "busy processors show only $busyCaption % (host $busyHost %)"
((idleCaption <= idleHost + 25 && idleCaption >= idleHost - 25)) ||
    e2e_die "the idle phase shows $idleCaption % while the host was $idleHost % busy"
close_and_expect_exit_0 "busy processor"

# --- Windows ending the session: the program is not closed, yet the window's new place must be saved.
e2e_reg_delete "$settings"
e2e_reg_set "$settings" WinLeft 500
e2e_start_taktora
expect_rect "500 32 192 64 1" "end of session, before moving"
e2e_helper movewin TaktoraMain 200 150 || e2e_die "movewin failed"
e2e_assert_eq "200 150 192 64 1" "$(e2e_window_rect)" "end of session: moved window"
status=0
e2e_helper endsession TaktoraMain || status=$?
e2e_assert_eq 0 "$status" "end of session: answer of the main window (3: it refused to end)"
mapfile -t expected < <(with_overrides WinLeft=200 WinTop=150)
expect_settings "end of session" "${expected[@]}"
close_and_expect_exit_0 "end of session"
