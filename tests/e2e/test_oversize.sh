#!/usr/bin/env bash
# A stored size far beyond the screen (a damaged or hand-edited value) gives a window no larger than the screen, the
# process stays small, and the close stores the size the window had.
source "$(dirname "$0")/lib.sh"
begin
reg_set "$SETTINGS" WinWidth 487401
reg_set "$SETTINGS" WinHeight 300000
start_taktora
wait_window "$MAIN"
read -r _ _ width height _ <<<"$(helper rect "$MAIN")"
((width <= 1024 && height <= 768)) || die "the main window is ${width}x$height, larger than the 1024x768 screen"
rss=$(ps -o rss= -p "$TAKTORA_PID")
((rss < 100 * 1024)) || die "taktora.exe holds $((rss / 1024)) MB"
close_taktora
[[ $(reg_get "$SETTINGS" WinWidth)x$(reg_get "$SETTINGS" WinHeight) == "${width}x$height" ]] ||
    die "the close stored $(reg_get "$SETTINGS" WinWidth)x$(reg_get "$SETTINGS" WinHeight), not ${width}x$height"
