#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then builds
# and runs it once more under AddressSanitizer/UBSan (set BARLABEL_SKIP_ASAN=1
# to leave that out of a quick local run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 900
if [ "${BARLABEL_SKIP_ASAN:-0}" != 1 ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBARLABEL_WERROR=ON \
        -DBARLABEL_ASAN=ON -DBARLABEL_BENCH=OFF
    cmake --build build-asan --parallel "$(nproc)"
    # Qt and fontconfig keep allocations until exit by design; leak reports would be noise.
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 ctest --test-dir build-asan --output-on-failure --timeout 900
fi
