#!/usr/bin/env bash
# The harness itself: the prefix reports Windows XP, the helper programs find, measure and close a real window
# (Notepad of the prefix) and report a missing one, and the registry and screenshot functions work.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

version=$(e2e_wine cmd /c ver | tr -d '\r')
[[ $version == *" 5.1."* ]] || e2e_die "the prefix does not report Windows XP: $version"

# Exit codes of the helpers without a window: 1 when it is missing, 2 without a class argument.
for call in "1 winrect NoSuchTaktoraClass" "1 wmclose NoSuchTaktoraClass 300" "2 winrect" "2 wmclose"; do
    read -r expected helper arguments <<<"$call"
    status=0
    # shellcheck disable=SC2086  # the arguments are split on purpose
    e2e_helper "$helper" $arguments >/dev/null || status=$?
    e2e_assert_eq "$expected" "$status" "exit code of $helper $arguments"
done

wine notepad >"$E2E_WORK/notepad.log" 2>&1 &
notepad=$!
rect=$(e2e_wait_window Notepad 30)
read -r left top width height visible <<<"$rect"
((width > 100 && height > 100)) || e2e_die "implausible Notepad window: $left $top $width $height"
e2e_assert_eq 1 "$visible" "Notepad's visibility"
e2e_helper wmclose Notepad 10000 || e2e_die "wmclose did not close Notepad"
if e2e_window_rect Notepad >/dev/null; then
    e2e_die "Notepad's window still exists after wmclose"
fi
e2e_wait_until 15 eval "! kill -0 $notepad 2>/dev/null || [[ \$(ps -o stat= -p $notepad) == Z* ]]" ||
    e2e_die "Notepad still runs after its window closed"

key='HKCU\Software\TaktoraHarness'
e2e_assert_eq winxp "$(e2e_reg_query 'HKCU\Software\Wine' Version)" "Wine's version setting"
for text in 'Grüße  mit zwei Blanks ' '' '"C:\Taktora\taktora.exe" /startup'; do
    e2e_reg_set "$key" Text "$text"
    e2e_assert_eq "$text" "$(e2e_reg_query "$key" Text)" "registry round trip"
done
e2e_reg_delete "$key" Text
if e2e_reg_query "$key" Text >/dev/null; then
    e2e_die "a deleted value is still found"
fi
if e2e_reg_query "$key\\Missing" Text >/dev/null; then
    e2e_die "a value of a missing key is found"
fi

e2e_screenshot "$E2E_WORK/screen.png"
screen=$(identify -format '%wx%h' "$E2E_WORK/screen.png")
e2e_assert_eq "${E2E_SCREEN%x*}" "$screen" "screenshot size"
