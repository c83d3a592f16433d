#!/usr/bin/env bash
# Builds the host unit tests and benchmarks, the same tests with the fuzz targets under the sanitizers, and the
# Windows program with the end-to-end tests' helper.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in host asan windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
