# shellcheck shell=bash
# Reading the Linux side of programs that run in this script's Wine prefix; sourced by soak.sh and overhead.sh after
# tests/e2e/lib.sh has set WINEPREFIX.

# _measure_in_prefix PID: whether the process carries this prefix in its environment. Every process of a prefix does
# (Wine passes it on), so programs of other prefixes on the machine, other people's test runs, are never picked.
_measure_in_prefix() {
    local entry
    while IFS= read -r -d '' entry; do
        [[ $entry == "WINEPREFIX=$WINEPREFIX" ]] && return 0
    done 2>/dev/null <"/proc/$1/environ"
    return 1
}

# measure_linux_pid NAME: prints the Linux process id of the program NAME (file name, any case) running in this
# prefix: a Windows program, whose Windows path Wine puts into argv[0], or the prefix's wineserver64. Fails unless
# there is exactly one.
measure_linux_pid() {
    local wanted=${1,,} proc argv0
    local found=()
    for proc in /proc/[0-9]*; do
        IFS= read -r -d '' argv0 2>/dev/null <"$proc/cmdline" || continue
        argv0=${argv0,,}
        if [[ ${argv0##*[\\/]} == "$wanted" ]] && _measure_in_prefix "${proc#/proc/}"; then
            found+=("${proc#/proc/}")
        fi
    done
    if ((${#found[@]} != 1)); then
        echo "measure: ${#found[@]} processes named $1 in $WINEPREFIX (${found[*]:-none}), expected one" >&2
        return 1
    fi
    echo "${found[0]}"
}

# measure_cpu_ticks PID: user plus system CPU time of the process, all its threads together, in clock ticks.
measure_cpu_ticks() {
    local stat fields
    stat=$(<"/proc/$1/stat") || return 1
    # The command name in parentheses may hold blanks; the numbers after it start with the state (field 3).
    read -r -a fields <<<"${stat##*) }"
    echo $((fields[14 - 3] + fields[15 - 3]))
}

# measure_rss_kib PID: resident memory of the process in KiB.
measure_rss_kib() {
    local name value
    while read -r name value _; do
        if [[ $name == VmRSS: ]]; then
            echo "$value"
            return 0
        fi
    done 2>/dev/null <"/proc/$1/status"
    return 1
}
