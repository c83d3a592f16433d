#!/usr/bin/env bash
# Explores every fuzz target with a random seed for SECONDS each (default 600), as many at once as there are cores.
# What a target finds beyond its seeds is kept in build/fuzz/TARGET/, apart from the committed seed corpus, and grows
# from run to run; a crash, hang (10 s) or blow-up (2 GB) is written to build/fuzz/TARGET-crash-... (-timeout-,
# -oom-) and makes the script fail. Fix what it finds and add the input to tests/fuzz/corpus/TARGET/, so the test
# gate runs it every time. Prints each target's executions per second.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: record settings commandline pdh)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
seconds=${1:-600}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
((${#targets[@]} > 0)) || targets=(record settings commandline pdh)
bash scripts/setup.sh || exit 1
{ cmake --preset asan >/dev/null && cmake --build --preset asan >/dev/null; } || exit 1

out=build/fuzz
mkdir -p "$out"
explore() {  # explore TARGET: one run with a random seed; its log in build/fuzz/TARGET.log
    local target=$1
    mkdir -p "$out/$target"
    build/asan/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/$target-" "$out/$target" "tests/fuzz/corpus/$target" \
        >"$out/$target.log" 2>&1
}
running=0
for target in "${targets[@]}"; do
    if ((running >= $(nproc))); then
        wait -n
        ((running--))
    fi
    explore "$target" &
    ((running++))
done
wait

status=0
for target in "${targets[@]}"; do
    log=$out/$target.log
    seed=$(sed -n 's/.*Seed: \([0-9]*\).*/\1/p' "$log" | head -1)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if grep -q '^==[0-9]*==\|^SUMMARY: \|Test unit written to' "$log"; then
        echo "$target: FAILED (seed $seed), see $log and $(grep -o "$out/$target-[a-z-]*[0-9a-f]*" "$log" | head -1)"
        status=1
    else
        echo "$target: ${rate:-?} execs/s, $runs inputs in ${seconds} s (seed $seed), $(ls "$out/$target" | wc -l) kept"
    fi
done
exit "$status"
