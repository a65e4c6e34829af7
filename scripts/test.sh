#!/usr/bin/env bash
# Builds Vornel (installing what is missing) and runs every test headless.
# VORNEL_SANITIZE=1 builds and runs the tests with AddressSanitizer and UBSan in build-asan/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${VORNEL_SANITIZE:-0}" = "1" ]; then
    build="$here/build-asan"
    "$here/scripts/setup.sh" "$build" -DVORNEL_SANITIZE=ON -DVORNEL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
    build="$here/build"
    "$here/scripts/setup.sh" "$build"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
