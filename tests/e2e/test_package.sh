#!/usr/bin/env bash
# test_package.sh BUILD: CPack makes the same zip twice a second apart when SOURCE_DATE_EPOCH is set; it matches
# its checksum file and holds one folder with exactly taktora.exe, the guide (byte order mark, CRLF) and SHA256SUMS,
# which matches the other two.
set -Eeuo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
work=$(mktemp -d) && trap 'rm -rf -- "$work"' EXIT
export SOURCE_DATE_EPOCH=1280966400
cpack --config "$1/CPackConfig.cmake" -B "$work/1" >/dev/null
sleep 1
cpack --config "$1/CPackConfig.cmake" -B "$work/2" >/dev/null
cd "$work/1"
cmp taktora-*.zip ../2/taktora-*.zip
sha256sum --check --quiet taktora-*.zip.sha256
cmake -E tar xf taktora-*.zip
[[ $(find taktora-*/ -type f -printf '%f ' | tr ' ' '\n' | sort | tr '\n' ' ') == "LIESMICH.txt SHA256SUMS taktora.exe " ]]
cd taktora-*/
sha256sum --check --quiet SHA256SUMS
[[ $(head -c 3 LIESMICH.txt | od -An -tx1) == " ef bb bf" && $(grep -c $'\r$' LIESMICH.txt) == $(wc -l <LIESMICH.txt) ]]
