#!/usr/bin/env bash
# Runs the end-to-end tests: every tests/e2e/test_*.sh, or those whose names contain one of the arguments.
# All share one private Xvfb display and one prepared Wine prefix, of which each test gets a fresh copy.
# The last line printed is "N passed, M failed"; the exit code is non-zero when a test failed.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-600}

tests=()
for test in "$E2E_DIR"/test_*.sh; do
    name=$(basename "$test" .sh)
    if [[ $# -eq 0 ]]; then
        tests+=("$test")
    else
        for filter in "$@"; do
            if [[ $name == *"$filter"* ]]; then
                tests+=("$test")
                break
            fi
        done
    fi
done

if [[ ${#tests[@]} -eq 0 ]]; then
    e2e_log "no test matches: $*"
    echo "0 passed, 0 failed"
    exit 1
fi

e2e_init
if ! e2e_start_display || ! e2e_make_template "$E2E_WORK/template"; then
    e2e_log "the test environment could not be set up"
    echo "0 passed, ${#tests[@]} failed"
    exit 1
fi
export E2E_TEMPLATE_PREFIX=$E2E_WORK/template

passed=0
failed=0
for test in "${tests[@]}"; do
    name=$(basename "$test" .sh)
    log=$E2E_WORK/$name.log
    started=$SECONDS
    if timeout --kill-after=10 "$E2E_TEST_TIMEOUT" bash "$test" >"$log" 2>&1; then
        passed=$((passed + 1))
        echo "PASS $name ($((SECONDS - started)) s)"
    else
        failed=$((failed + 1))
        echo "FAIL $name ($((SECONDS - started)) s)"
        sed 's/^/    /' "$log"
    fi
done
echo "$passed passed, $failed failed"
((failed == 0))
