#!/usr/bin/env bash
# Sets up, builds every tree and runs every test suite: native, and under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
"$here/scripts/setup.sh"
source "$here/scripts/trees.sh"

configure_native
cmake --build build/native -j "$(nproc)"
(cd build/native && ctest --output-on-failure)

configure_sanitized
cmake --build build/sanitize -j "$(nproc)"
(cd build/sanitize && ctest --output-on-failure)
"$here/scripts/fuzz.sh" --ci

configure_windows i686
cmake --build build/win32 -j "$(nproc)"

export -n DISPLAY 2> /dev/null || true
start_test_display
trap stop_test_display EXIT

if "$here/scripts/i386-runs.sh"; then
    (cd build/win32 && ctest --output-on-failure)
else
    # This kernel runs no 32-bit code: the Windows suites run on the x86-64 build of the same
    # sources under wine64 (the 32-bit program above is still built and linked).
    echo "test: this kernel runs no 32-bit programs; testing the x86-64 build under wine64"
    configure_windows x86_64
    cmake --build build/win64 -j "$(nproc)"
    (cd build/win64 && ctest --output-on-failure)
fi
