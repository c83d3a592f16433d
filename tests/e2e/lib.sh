# shellcheck shell=bash
# Functions for the end-to-end tests of taktora.exe under Wine; source this file.
#
# A test script usually reads:
#     set -euo pipefail
#     source "$(dirname "$0")/lib.sh"
#     e2e_begin                      # fresh prefix and display, removed again when the script ends
#     e2e_start_taktora
#     e2e_wait_window >/dev/null
#     ...
#     e2e_close_taktora
# Every function prints a message and returns non-zero when it fails, so errexit ends the test loudly; e2e_die and
# e2e_assert_eq end it themselves. Every wait is bounded.
#
# Environment:
#   TAKTORA_EXE          the taktora.exe to test                   (default build/windows/taktora.exe)
#   TAKTORA_HELPERS_DIR  folder of wmclose.exe and winrect.exe     (default build/windows)
#   E2E_DISPLAY          X display to use; without it a private Xvfb is started
#   E2E_TEMPLATE_PREFIX  a prepared prefix to copy; without it e2e_begin makes one (about 10 s)
#   E2E_ARTIFACTS        folder for the screenshots tests keep      (default build/e2e-artifacts)
#   E2E_KEEP=1           keep the work folder (prefix, logs, screenshots) instead of removing it

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO=$(cd "$E2E_DIR/../.." && pwd)
: "${TAKTORA_EXE:=$E2E_REPO/build/windows/taktora.exe}"
: "${TAKTORA_HELPERS_DIR:=$E2E_REPO/build/windows}"
export TAKTORA_EXE TAKTORA_HELPERS_DIR

# Screenshots worth keeping from a run; tests/e2e/artifacts/ holds copies of them from a run that was looked at.
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$E2E_REPO/build/e2e-artifacts}

E2E_MAIN_CLASS=TaktoraMain
E2E_TAKTORA_PATH='C:\Taktora\taktora.exe'
E2E_WINE_TIMEOUT=${E2E_WINE_TIMEOUT:-60}  # seconds for any single wine command
E2E_SCREEN=${E2E_SCREEN:-1024x768x24}

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

E2E_WORK=
E2E_XVFB_PID=
E2E_PREFIX_OWNED=
E2E_TAKTORA_PID=
E2E_TAKTORA_STATUS=

e2e_log() { echo "e2e: $*" >&2; }

e2e_die() {
    echo "e2e: FAIL: $*" >&2
    exit 1
}

# e2e_assert_eq EXPECTED ACTUAL WHAT
e2e_assert_eq() {
    [[ $1 == "$2" ]] || e2e_die "$3: expected '$1', got '$2'"
}

# e2e_wait_until SECONDS COMMAND [ARG...]: runs the command every 0.2 s until it succeeds; fails after SECONDS.
e2e_wait_until() {
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    until "$@"; do
        if ((SECONDS >= deadline)); then
            return 1
        fi
        sleep 0.2
    done
}

# Debian's wine wrapper explains on stderr that 32-bit Wine is missing; that text is noise in every test log.
_e2e_filter_wine_noise() {
    grep -v -E 'wine32 is missing|multiarch needs to be enabled|dpkg --add-architecture|apt-get install wine32' || true
}

# e2e_wine ARG...: wine with a time limit and the wrapper's noise removed from stderr; returns wine's exit code.
# The output goes through files: Wine's background services of the prefix inherit the standard handles of the call
# that started them and live on, so a pipe or a $(...) around wine would wait for them forever.
e2e_wine() {
    local output
    output=$(mktemp "$E2E_WORK/wine.XXXXXX") || return 1
    local status=0
    timeout --kill-after=5 "$E2E_WINE_TIMEOUT" wine "$@" >"$output.out" 2>"$output.err" </dev/null || status=$?
    cat "$output.out"
    _e2e_filter_wine_noise <"$output.err" >&2
    rm -f -- "$output" "$output.out" "$output.err"
    return "$status"
}

# e2e_helper NAME ARG...: runs one of the helper programs (wmclose, winrect) in the prefix.
e2e_helper() {
    local name=$1
    shift
    e2e_wine "$TAKTORA_HELPERS_DIR/$name.exe" "$@"
}

# Work folder and the clean-up that runs however the script ends.
e2e_init() {
    local tool
    for tool in wine wineserver wineboot Xvfb xdpyinfo import timeout iconv; do
        command -v "$tool" >/dev/null || e2e_die "$tool is not installed (see the README's set-up commands)"
    done
    [[ -f $TAKTORA_HELPERS_DIR/wmclose.exe && -f $TAKTORA_HELPERS_DIR/winrect.exe ]] ||
        e2e_die "helper programs missing in $TAKTORA_HELPERS_DIR (cmake --build build/windows --target wmclose winrect)"
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/taktora-e2e.XXXXXX") || e2e_die "cannot create a work folder"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM HUP
}

# Stops only what this script started: the wineserver of its own prefix (and with it the prefix's programs) and
# its own Xvfb.
e2e_cleanup() {
    local status=$?
    if [[ -n $E2E_PREFIX_OWNED ]]; then
        WINEPREFIX=$E2E_PREFIX_OWNED timeout 30 wineserver -k >/dev/null 2>&1
        WINEPREFIX=$E2E_PREFIX_OWNED timeout 30 wineserver -w >/dev/null 2>&1 ||
            e2e_log "the wineserver of $E2E_PREFIX_OWNED did not stop"
    fi
    if [[ -n $E2E_XVFB_PID ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    if [[ -n $E2E_WORK ]]; then
        if [[ ${E2E_KEEP:-0} == 1 ]]; then
            e2e_log "work folder kept: $E2E_WORK"
        else
            rm -rf -- "$E2E_WORK"
        fi
    fi
    return "$status"
}

# An X display for the test: E2E_DISPLAY when given, otherwise a new Xvfb on a display number it picks itself.
e2e_start_display() {
    if [[ -n ${E2E_DISPLAY:-} ]]; then
        export DISPLAY=$E2E_DISPLAY
        return 0
    fi
    local numberFile=$E2E_WORK/display
    Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp 3>"$numberFile" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    if ! e2e_wait_until 15 test -s "$numberFile"; then
        e2e_log "Xvfb did not start within 15 s: $(cat "$E2E_WORK/xvfb.log")"
        return 1
    fi
    DISPLAY=":$(head -n 1 "$numberFile")"
    export DISPLAY E2E_DISPLAY=$DISPLAY
    if ! e2e_wait_until 15 xdpyinfo >/dev/null 2>&1; then
        e2e_log "display $DISPLAY does not answer"
        return 1
    fi
}

# e2e_make_template FOLDER: a new prefix that reports Windows XP (so the kernel-counter load source is chosen) and
# never opens Wine's crash dialog, which would block a headless run. Its wineserver is stopped afterwards, which
# also writes the registry files, so the folder can be copied.
e2e_make_template() {
    local prefix=$1
    if ! WINEPREFIX=$prefix timeout 180 wineboot -i >"$E2E_WORK/wineboot.log" 2>&1; then
        e2e_log "wineboot failed: $(tail -n 5 "$E2E_WORK/wineboot.log")"
        return 1
    fi
    WINEPREFIX=$prefix e2e_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null || { e2e_log "cannot switch off the crash dialog"; return 1; }
    WINEPREFIX=$prefix e2e_wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null ||
        { e2e_log "cannot set the Windows version"; return 1; }
    WINEPREFIX=$prefix timeout 30 wineserver -k >/dev/null 2>&1
    WINEPREFIX=$prefix timeout 30 wineserver -w || { e2e_log "the template's wineserver did not stop"; return 1; }
}

# e2e_new_prefix [DESKTOP]: the test's own prefix, copied from E2E_TEMPLATE_PREFIX or made anew, with a persistent
# wineserver (a cold start costs about 3.5 s per wine call). With DESKTOP (for example 1024x768) every program of
# the prefix runs in one virtual desktop with Wine's taskbar and notification area, helpers included.
e2e_new_prefix() {
    local desktop=${1:-}
    local prefix=$E2E_WORK/pfx
    if [[ -n ${E2E_TEMPLATE_PREFIX:-} ]]; then
        cp -a "$E2E_TEMPLATE_PREFIX" "$prefix" || { e2e_log "cannot copy $E2E_TEMPLATE_PREFIX"; return 1; }
    else
        e2e_make_template "$prefix" || return 1
    fi
    if [[ -n $desktop ]]; then
        # Written while no wineserver runs, so that the first program of the prefix already gets the desktop.
        printf '\n[Software\\\\Wine\\\\Explorer]\n"Desktop"="shell"\n\n[Software\\\\Wine\\\\Explorer\\\\Desktops]\n"shell"="%s"\n' \
            "$desktop" >>"$prefix/user.reg"
    fi
    mkdir -p "$prefix/drive_c/Taktora"
    export WINEPREFIX=$prefix
    E2E_PREFIX_OWNED=$prefix
    timeout 30 wineserver -p || { e2e_log "cannot start the wineserver"; return 1; }
}

# e2e_begin [--desktop=WxH]: everything a test needs; see e2e_new_prefix for the desktop.
e2e_begin() {
    local desktop=
    case ${1:-} in
        --desktop=*) desktop=${1#--desktop=} ;;
        "") ;;
        *) e2e_die "e2e_begin: unknown argument $1" ;;
    esac
    e2e_init
    e2e_start_display || e2e_die "no X display"
    e2e_new_prefix "$desktop" || e2e_die "no Wine prefix"
}

# e2e_start_taktora [ARG...]: copies TAKTORA_EXE to C:\Taktora\taktora.exe ("$WINEPREFIX/drive_c/Taktora" from
# Linux) and starts it there in the background; its output goes to "$E2E_WORK/taktora.log".
e2e_start_taktora() {
    [[ -f $TAKTORA_EXE ]] || { e2e_log "$TAKTORA_EXE does not exist (cmake --build build/windows)"; return 1; }
    cp "$TAKTORA_EXE" "$WINEPREFIX/drive_c/Taktora/taktora.exe" || return 1
    (cd "$WINEPREFIX/drive_c/Taktora" && exec wine "$E2E_TAKTORA_PATH" "$@") </dev/null >>"$E2E_WORK/taktora.log" 2>&1 &
    E2E_TAKTORA_PID=$!
    E2E_TAKTORA_STATUS=
}

# e2e_taktora_running: whether the taktora.exe started last is still running (an exited, unreaped child counts as
# gone).
e2e_taktora_running() {
    local state
    [[ -n $E2E_TAKTORA_PID ]] && state=$(ps -o stat= -p "$E2E_TAKTORA_PID" 2>/dev/null) && [[ $state != Z* ]]
}

# e2e_window_rect [CLASS]: prints "left top width height visible" of the window; fails when there is none.
e2e_window_rect() {
    e2e_helper winrect "${1:-$E2E_MAIN_CLASS}"
}

# e2e_wait_window [CLASS] [SECONDS]: waits until the window exists and prints its rectangle like e2e_window_rect.
# Gives up early when taktora.exe has ended.
e2e_wait_window() {
    local class=${1:-$E2E_MAIN_CLASS} limit=${2:-30}
    local deadline=$((SECONDS + limit)) rect
    until rect=$(e2e_window_rect "$class"); do
        if [[ -n $E2E_TAKTORA_PID ]] && ! e2e_taktora_running; then
            e2e_log "taktora.exe ended before a window of class $class appeared; its output:"
            cat "$E2E_WORK/taktora.log" >&2
            return 1
        fi
        if ((SECONDS >= deadline)); then
            e2e_log "no window of class $class within $limit s"
            return 1
        fi
        sleep 0.2
    done
    echo "$rect"
}

# e2e_wait_taktora_exit [SECONDS]: waits until taktora.exe has ended and keeps its exit code in E2E_TAKTORA_STATUS.
e2e_wait_taktora_exit() {
    local limit=${1:-15}
    [[ -n $E2E_TAKTORA_PID ]] || { e2e_log "taktora.exe was not started"; return 1; }
    e2e_wait_until "$limit" eval '! e2e_taktora_running' ||
        { e2e_log "taktora.exe still runs $limit s after its window closed"; return 1; }
    local status=0
    wait "$E2E_TAKTORA_PID" || status=$?
    # shellcheck disable=SC2034  # read by the tests
    E2E_TAKTORA_STATUS=$status
    E2E_TAKTORA_PID=
}

# e2e_close_taktora [SECONDS]: closes the main window as Alt+F4 would (WM_CLOSE) and waits until the program ended.
e2e_close_taktora() {
    local limit=${1:-15}
    e2e_helper wmclose "$E2E_MAIN_CLASS" "$((limit * 1000))" ||
        { e2e_log "the main window did not close within $limit s"; return 1; }
    e2e_wait_taktora_exit "$limit"
}

# e2e_flush_prefix: stops the prefix's wineserver once every program has ended, which writes system.reg and
# user.reg, and starts a persistent one again. Only needed to read the registry files directly: the e2e_reg_*
# functions see the live registry. ("wineserver -w" alone never returns while the server is persistent.)
e2e_flush_prefix() {
    timeout 30 wineserver -k >/dev/null 2>&1
    timeout 30 wineserver -w || { e2e_log "the wineserver did not stop"; return 1; }
    timeout 30 wineserver -p || { e2e_log "cannot start the wineserver"; return 1; }
}

# e2e_reg_query KEY NAME: prints the data of the value as "reg query" shows it (REG_SZ text as stored, REG_DWORD as
# 0x...); fails when the key or the value is missing. reg.exe writes in the console code page 437.
e2e_reg_query() {
    local key=$1 name=$2 output line prefix="    $2    "
    output=$(e2e_wine reg query "$key" /v "$name" 2>/dev/null | iconv -f CP437 -t UTF-8) || return 1
    while IFS= read -r line; do
        line=${line%$'\r'}
        if [[ $line == "$prefix"REG_* ]]; then
            line=${line#"$prefix"}
            # What follows the type and its four-blank separator is the data, blanks included.
            line=${line#REG_*    }
            echo "$line"
            return 0
        fi
    done <<<"$output"
    return 1
}

# e2e_reg_set KEY NAME DATA [TYPE]: writes a value (REG_SZ unless TYPE is given), creating the key.
e2e_reg_set() {
    e2e_wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null
}

# e2e_reg_delete KEY [NAME]: deletes the value, or the whole key without NAME.
e2e_reg_delete() {
    if [[ $# -ge 2 ]]; then
        e2e_wine reg delete "$1" /v "$2" /f >/dev/null
    else
        e2e_wine reg delete "$1" /f >/dev/null
    fi
}

# e2e_screenshot FILE: the whole display as a PNG.
e2e_screenshot() {
    timeout 20 import -display "$DISPLAY" -window root "$1" || { e2e_log "screenshot $1 failed"; return 1; }
}
