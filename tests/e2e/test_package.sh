#!/usr/bin/env bash
# test_package.sh BUILD VERSION: CPack makes the same zip, named by the version, twice a second apart when
# SOURCE_DATE_EPOCH is set; it matches its checksum file and holds one folder, Taktora without a version (an update
# unpacked over it keeps the program's path), with exactly taktora.exe, the guide (byte order mark, CRLF) and
# SHA256SUMS, which matches the other two.
set -Eeuo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
work=$(mktemp -d) && trap 'rm -rf -- "$work"' EXIT
export SOURCE_DATE_EPOCH=1280966400
cpack --config "$1/CPackConfig.cmake" -B "$work/1" >/dev/null
sleep 1
cpack --config "$1/CPackConfig.cmake" -B "$work/2" >/dev/null
cd "$work/1"
cmp "taktora-$2.zip" "../2/taktora-$2.zip"
sha256sum --check --quiet "taktora-$2.zip.sha256"
mkdir unpacked && cd unpacked && cmake -E tar xf "../taktora-$2.zip"
[[ $(find . -type f | sort | tr '\n' ' ') == "./Taktora/LIESMICH.txt ./Taktora/SHA256SUMS ./Taktora/taktora.exe " ]]
cd Taktora
sha256sum --check --quiet SHA256SUMS
[[ $(head -c 3 LIESMICH.txt | od -An -tx1) == " ef bb bf" && $(grep -c $'\r$' LIESMICH.txt) == $(wc -l <LIESMICH.txt) ]]
