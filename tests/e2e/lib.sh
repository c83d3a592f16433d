# shellcheck shell=bash disable=SC2034  # the names below are read by the tests
# What every end-to-end test of taktora.exe under Wine and Xvfb shares; source it. CTest passes TAKTORA_EXE,
# E2E_HELPER (e2ehelper.exe) and E2E_TEMPLATE (the prepared prefix each test copies); run directly,
# "bash lib.sh setup" makes that template and "bash lib.sh cleanup" removes it.
set -Eeuo pipefail
trap 'echo "FAIL: ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND" >&2' ERR

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${TAKTORA_EXE:=$E2E_ROOT/build/windows/taktora.exe}"
: "${E2E_HELPER:=$E2E_ROOT/build/windows/e2ehelper.exe}"
: "${E2E_TEMPLATE:=$E2E_ROOT/build/windows/e2e-template}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

SETTINGS='HKCU\Software\VB and VBA Program Settings\Brisko-Software\Taktora'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
TAKTORA='C:\Taktora\taktora.exe'
MAIN=TaktoraMain
# The 23 values a save writes in a fresh prefix: Task Manager exists there, the process viewer and the temperature
# monitor do not.
DEFAULTS=(WinTop=32 WinLeft=32 WinWidth=192 WinHeight=64 Interval=1000 ShowRunTime=1 ShowInTask=0 ShowInTray=1
    ShowUsageValue=1 LockWindow=0 HideWindow=0 RunAtStartup=0 WindowOnTop=0 UseBoldFont=0 AlignCenter=0 TaskManager=1
    ProcessView=0 Magnetic=1 UseGetCoreTemp=0 ShowCoreTemp=1 ShowCoreTempLine=1 ShowCoreSpeed=1 LoadAsTaskManager=0)
WORK=
XVFB_PID=
TAKTORA_PID=

die() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for SECONDS COMMAND...: runs the command every 0.2 s until it succeeds; fails after SECONDS.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# w ARG...: wine with a time limit, without the wrapper's "wine32 is missing" noise. The output goes through files:
# the prefix's background services inherit the standard handles and outlive the call, so a pipe would never end.
w() {
    local status=0
    timeout -k 5 60 wine "$@" >"$WORK/wine.out" 2>"$WORK/wine.err" </dev/null || status=$?
    cat "$WORK/wine.out"
    grep -v -e wine32 -e multiarch -e dpkg -e 'apt-get' "$WORK/wine.err" >&2 || true
    return "$status"
}

helper() { w "$E2E_HELPER" "$@"; }
reg_get() { w reg query "$1" /v "$2" | tr -d '\r' | awk -F '    ' -v name="$2" '$2 == name { print $4; found = 1 } END { exit !found }'; }
reg_set() { w reg add "$1" /v "$2" /d "$3" /f >/dev/null; }
reg_delete() { w reg delete "$@" /f >/dev/null; }
visible() { [[ $(helper rect "$1") == *" 1" ]]; }

# expect_settings [NAME=VALUE...]: the settings key holds exactly the 23 values, these in place of the defaults.
expect_settings() {
    local pair override expected=()
    for pair in "${DEFAULTS[@]}"; do
        for override; do
            [[ ${override%%=*} == "${pair%%=*}" ]] && pair=$override
        done
        expected+=("$pair")
    done
    diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
        <(w reg query "$SETTINGS" | tr -d '\r' |
            awk -F '    ' '$3 ~ /^REG_/ { print $2 "=" ($3 == "REG_SZ" ? $4 : "<" $3 ">") }' | LC_ALL=C sort) >&2 ||
        die "the stored settings differ from the expected ones (<) in the lines shown"
}

# The screen of every test's Xvfb and virtual desktop, WIDTHxHEIGHT.
E2E_SCREEN=${E2E_SCREEN:-1024x768}

# begin [--desktop] [--version=NAME]: a work folder, an Xvfb and a copy of the template prefix of the test's own, all
# removed again when the script ends. --desktop puts every program of the prefix into one virtual desktop with Wine's
# taskbar and notification area; --version makes the prefix report another Windows than XP.
begin() {
    [[ -d $E2E_TEMPLATE ]] || bash "${BASH_SOURCE[0]}" setup
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/taktora-e2e.XXXXXX")
    trap finish EXIT
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for 15 test -s "$WORK/display" || die "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    DISPLAY=":$(<"$WORK/display")"
    export DISPLAY WINEPREFIX=$WORK/pfx
    cp -a "$E2E_TEMPLATE" "$WINEPREFIX"
    # Edited while no wineserver runs, so that the first program of the prefix already sees it.
    local option
    for option; do
        case $option in
            --desktop) printf '[Software\\\\Wine\\\\Explorer]\n"Desktop"="shell"\n[Software\\\\Wine\\\\Explorer\\\\Desktops]\n"shell"="%s"\n' "$E2E_SCREEN" >>"$WINEPREFIX/user.reg" ;;
            --version=*) sed -i "s/^\"Version\"=\"winxp\"/\"Version\"=\"${option#--version=}\"/" "$WINEPREFIX/user.reg" ;;
            *) die "begin: unknown option $option" ;;
        esac
    done
    # A persistent wineserver: a cold one costs about 3.5 s on every wine call.
    wineserver -p
}

# Ends only what this test started: its prefix's programs, its Xvfb, its folder.
finish() {
    trap - ERR
    set +e
    if [[ ${WINEPREFIX:-} == "$WORK/pfx" ]]; then
        timeout 30 wineserver -k 2>/dev/null
        timeout 30 wineserver -w 2>/dev/null
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf -- "$WORK"
}

# start_taktora [ARG...]: taktora.exe from C:\Taktora in the background, its output in $WORK/taktora.log. The copy
# is made once: overwriting the file of a running copy would change the image it runs from.
start_taktora() {
    cmp -s "$TAKTORA_EXE" "$WINEPREFIX/drive_c/Taktora/taktora.exe" || cp "$TAKTORA_EXE" "$WINEPREFIX/drive_c/Taktora/"
    (cd "$WINEPREFIX/drive_c/Taktora" && exec wine "$TAKTORA" "$@") </dev/null >>"$WORK/taktora.log" 2>&1 &
    TAKTORA_PID=$!
}

running() { [[ $(ps -o stat= -p "$TAKTORA_PID" 2>/dev/null) == [^Z]* ]]; }

# wait_window CLASS: waits until the window exists and is visible; gives up early when taktora.exe has ended.
wait_window() {
    local deadline=$((SECONDS + 30))
    until visible "$1"; do
        running || die "taktora.exe ended before a window of class $1 appeared: $(cat "$WORK/taktora.log")"
        ((SECONDS < deadline)) || die "no window of class $1 within 30 s"
        sleep 0.2
    done
}

# wait_exit: waits until taktora.exe has ended and fails unless its exit code was 0.
wait_exit() {
    wait_for 15 eval '! running' || die "taktora.exe still runs 15 s after it was told to end"
    wait "$TAKTORA_PID" || die "taktora.exe ended with exit code $?"
}

close_taktora() {
    helper close "$MAIN" 15000 || die "the main window did not close on WM_CLOSE"
    wait_exit
}

# Run directly: the template prefix for the whole run, reporting Windows XP (so that the kernel-counter load source
# is chosen, see the README) and never opening Wine's crash dialog, which would block a headless run.
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    case ${1:-} in
        setup)
            rm -rf -- "$E2E_TEMPLATE"
            WORK=$(mktemp -d) && trap 'rm -rf -- "$WORK"' EXIT
            export WINEPREFIX=$E2E_TEMPLATE
            timeout 300 wineboot -i >"$WORK/wineboot.log" 2>&1 || die "wineboot failed: $(tail -n 5 "$WORK/wineboot.log")"
            w reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
            w reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null
            mkdir -p "$WINEPREFIX/drive_c/Taktora"
            # Stopping the server writes the registry files, so the folder can be copied.
            timeout 30 wineserver -k 2>/dev/null || true
            timeout 30 wineserver -w
            ;;
        cleanup) rm -rf -- "$E2E_TEMPLATE" ;;
        *) die "usage: bash lib.sh setup|cleanup" ;;
    esac
fi
