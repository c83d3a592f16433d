#!/usr/bin/env bash
# The user package: scripts/package.sh builds an archive whose checksum file matches, which unpacks into one folder
# holding exactly taktora.exe, LIESMICH.txt (UTF-8 with byte order mark, CRLF) and a matching SHA256SUMS, and
# taktora.exe starts from that folder in a fresh prefix with nothing else installed, ends cleanly on Alt+F4's
# WM_CLOSE and leaves no file behind in its folder.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

dist=$E2E_WORK/dist
bash "$E2E_REPO/scripts/package.sh" --out="$dist" >"$E2E_WORK/package.log" 2>&1 ||
    e2e_die "scripts/package.sh failed: $(tail -n 20 "$E2E_WORK/package.log")"
archives=("$dist"/taktora-*.zip)
if ((${#archives[@]} != 1)) || [[ ! -f ${archives[0]} ]]; then
    e2e_die "expected one archive in $dist: ${archives[*]}"
fi
archive=${archives[0]}
name=$(basename "$archive" .zip)
(cd "$dist" && sha256sum --check --quiet "$name.zip.sha256") || e2e_die "$name.zip does not match its checksum file"

unpacked=$WINEPREFIX/drive_c/Unpacked
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$archive") || e2e_die "cannot unpack $archive"
folder=$unpacked/$name
contents() { (cd "$unpacked" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' '); }
expected="./$name ./$name/LIESMICH.txt ./$name/SHA256SUMS ./$name/taktora.exe "
e2e_assert_eq "$expected" "$(contents)" "unpacked files"
(cd "$folder" && sha256sum --check --quiet SHA256SUMS) || e2e_die "SHA256SUMS does not match the unpacked files"

guide=$folder/LIESMICH.txt
e2e_assert_eq efbbbf "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' \n')" "LIESMICH.txt's byte order mark"
iconv -f UTF-8 -t UTF-8 "$guide" >/dev/null || e2e_die "LIESMICH.txt is not UTF-8"
lines=$(wc -l <"$guide")
((lines > 20)) || e2e_die "LIESMICH.txt has only $lines lines"
e2e_assert_eq "$lines" "$(grep -c $'\r$' "$guide")" "lines of LIESMICH.txt that end in CRLF"
for text in 'HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Brisko-Software\Taktora' 'PViewer' \
    'taktora.ext' '/startup' 'Alt+F4' 'Größe'; do
    grep -qF "$text" "$guide" || e2e_die "LIESMICH.txt does not mention $text"
done

# Started from the unpacked folder itself, not from the copy e2e_start_taktora makes.
(cd "$folder" && exec wine "C:\\Unpacked\\$name\\taktora.exe") </dev/null >>"$E2E_WORK/taktora.log" 2>&1 &
# shellcheck disable=SC2034  # read by e2e_wait_window and e2e_close_taktora
E2E_TAKTORA_PID=$!
rect=$(e2e_wait_window) || e2e_die "the unpacked taktora.exe shows no main window"
read -r _ _ width height visible <<<"$rect"
e2e_assert_eq 1 "$visible" "visibility of the main window"
((width > 50 && height > 20)) || e2e_die "implausible main window size $width x $height"
e2e_close_taktora
e2e_assert_eq 0 "$E2E_TAKTORA_STATUS" "exit code of taktora.exe"
e2e_assert_eq "$expected" "$(contents)" "files in the program's folder after the run"
