#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan + UBSan) and runs each one.
#   scripts/fuzz.sh [seconds]   each target for that long (default 60), growing its corpus
#   scripts/fuzz.sh --ci        each target over its kept inputs, then a fixed number of runs
# Inputs that once failed stay in tests/fuzz/corpus/<target> as regression cases.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
tree=$here/build/fuzz
cmake -S "$here" -B "$tree" -G "Unix Makefiles" -DQUORVEL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build "$tree" -j "$(nproc)" > /dev/null

mode=${1:-60}
for target in date_header from_text registry_path tray_icon; do
    kept=$here/tests/fuzz/corpus/$target
    work=$tree/corpus/$target
    mkdir -p "$work"
    if [ "$mode" = --ci ]; then
        echo "fuzz: $target, kept inputs and 200000 runs"
        "$tree/fuzz_$target" -runs=200000 -seed=1 -max_len=4096 "$work" "$kept" 2>&1 | tail -n 1
    else
        echo "fuzz: $target for $mode s"
        "$tree/fuzz_$target" -max_total_time="$mode" -max_len=70000 -artifact_prefix="$tree/crash-$target-" \
            "$work" "$kept" 2>&1 | tail -n 2
    fi
done
