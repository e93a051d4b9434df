#!/usr/bin/env bash
# Prints Quorvel's figures, each beside a baseline measured in the same run under Wine, and
# keeps the output as docs/benchmarks.txt. Figures, not pass/fail: nothing here is a test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
"$here/scripts/setup.sh"
source "$here/scripts/trees.sh"

arch=i686 tree=build/win32 objdump=i686-w64-mingw32-objdump
if ! "$here/scripts/i386-runs.sh"; then
    arch=x86_64 tree=build/win64 objdump=x86_64-w64-mingw32-objdump
fi
configure_windows "$arch"
cmake --build "$tree" -j "$(nproc)" --target Quorvel bench_minimal_window quorvel_bench > /dev/null

export -n DISPLAY 2> /dev/null || true
start_test_display
trap stop_test_display EXIT

winpath() { echo "Z:$1" | tr / '\\'; }
out=$(mktemp)
{
    echo "Quorvel benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $arch build under $(/usr/lib/wine/wine64 --version 2> /dev/null), $(nproc) cores"
    "$tree/wine-run.sh" "$tree/quorvel_bench.exe" "$(winpath "$here/$tree/Quorvel.exe")" \
        "$(winpath "$here/$tree/bench_minimal_window.exe")" | tr -d '\r'
    awk -v a="$(stat -c %s "$tree/Quorvel.exe")" -v b="$(stat -c %s "$tree/bench_minimal_window.exe")" 'BEGIN {
        printf "%-34s %10.3f KiB  baseline %-26s %10.3f KiB  ratio %7.2f\n", "size of Quorvel.exe", a / 1024,
               "minimal window", b / 1024, a / b }'
    echo "DLLs Quorvel.exe imports: $("$objdump" -p "$tree/Quorvel.exe" | awk '/DLL Name/ {print $3}' | sort | tr '\n' ' ')"
} > "$out"
cat "$out"
cp "$out" "$here/docs/benchmarks.txt"
rm -f "$out"
echo "bench: kept as docs/benchmarks.txt"
