#!/usr/bin/env bash
# Installs what is missing, builds the presets and runs every test through CTest: on the host the unit tests and
# the layering check, the same again under the sanitizers with a fixed run of each fuzz target, in the windows build the
# checks of taktora.exe (Windows 7 imports, icon sizes, manifest), the release zip and the end-to-end tests under Wine
# and Xvfb. Ends with CTest's summaries; fails when any test failed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1
status=0
ctest --preset host || status=1
ctest --preset asan || status=1
ctest --preset windows || status=1
exit "$status"
