#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit tests on the host, the checks of the
# built taktora.exe (Windows 7 imports, icon sizes), then the end-to-end tests of taktora.exe under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
ctest --test-dir build/host --output-on-failure -j"$(nproc)"
ctest --test-dir build/windows --output-on-failure -j"$(nproc)"
bash tests/e2e/run.sh
