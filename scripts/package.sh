#!/usr/bin/env bash
# Builds taktora.exe and packs it for users in one step:
#
#     bash scripts/package.sh [--out=DIR]        (DIR defaults to dist)
#
# writes DIR/taktora-VERSION.zip, holding the folder taktora-VERSION/ with taktora.exe, LIESMICH.txt (the German
# user guide from docs/, as UTF-8 with a byte order mark and CRLF line ends, which every Windows Notepad shows right)
# and SHA256SUMS (sha256sum's format, for the two other files), and DIR/taktora-VERSION.zip.sha256. VERSION is the
# major.minor version of the CMake project, the one the program shows. The archive's entries are sorted and dated by
# SOURCE_DATE_EPOCH when it is set, else by taktora.exe's modification time, so the same program gives the same
# archive. tests/e2e/test_package.sh unpacks it and starts the program from the unpacked folder.
set -euo pipefail
cd "$(dirname "$0")/.."

out=dist
for argument in "$@"; do
    case $argument in
        --out=?*) out=${argument#--out=} ;;
        *)
            echo "usage: bash scripts/package.sh [--out=DIR]" >&2
            exit 2
            ;;
    esac
done

version=$(sed -n 's/^project(taktora VERSION \([0-9][0-9]*\)\.\([0-9][0-9]*\)[.)0-9 ].*/\1.\2/p' CMakeLists.txt)
[[ -n $version ]] || {
    echo "package: no project version in CMakeLists.txt" >&2
    exit 1
}
name=taktora-$version

cmake --preset windows >/dev/null
cmake --build build/windows -j"$(nproc)" --target taktora

stage=$(mktemp -d "${TMPDIR:-/tmp}/taktora-package.XXXXXX")
trap 'rm -rf -- "$stage"' EXIT
folder=$stage/$name
mkdir "$folder"
cp build/windows/taktora.exe "$folder/taktora.exe"
{
    printf '\xEF\xBB\xBF'
    sed -e 's/\r$//' -e "s/@VERSION@/$version/g" -e 's/$/\r/' docs/LIESMICH.txt
} >"$folder/LIESMICH.txt"
(cd "$folder" && sha256sum taktora.exe LIESMICH.txt >SHA256SUMS)

epoch=${SOURCE_DATE_EPOCH:-$(stat -c %Y build/windows/taktora.exe)}
python3 - "$stage" "$name" "$epoch" "$stage/$name.zip" <<'PYTHON'
import os
import sys
import time
import zipfile

stage, name, epoch, archive = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
# Zip dates have no time zone and cannot lie before 1980.
stamp = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def entry(path, mode):
    info = zipfile.ZipInfo(path, stamp)
    info.create_system = 3  # Unix, so that unzip keeps the modes below
    info.external_attr = mode << 16
    return info


with zipfile.ZipFile(archive, "w") as zip_file:
    folder_entry = entry(name + "/", 0o40755)
    folder_entry.external_attr |= 0x10  # the MS-DOS directory flag Windows looks at
    zip_file.writestr(folder_entry, b"")
    for file_name in sorted(os.listdir(os.path.join(stage, name))):
        with open(os.path.join(stage, name, file_name), "rb") as source:
            data = source.read()
        mode = 0o100755 if file_name.endswith(".exe") else 0o100644
        zip_file.writestr(entry(name + "/" + file_name, mode), data, zipfile.ZIP_DEFLATED, 9)
PYTHON
(cd "$stage" && sha256sum "$name.zip" >"$name.zip.sha256")

mkdir -p "$out"
mv -f "$stage/$name.zip" "$stage/$name.zip.sha256" "$out/"
echo "package: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes; taktora.exe $(stat -c %s "$folder/taktora.exe") bytes)"
cat "$folder/SHA256SUMS" "$out/$name.zip.sha256"
