#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and either replays the checked-in
# corpora (no argument) or fuzzes each target for SECONDS seconds:
#   bash scripts/fuzz.sh            # regression replay
#   bash scripts/fuzz.sh 600        # ten minutes per target, new inputs kept in fuzz/corpus
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLSET_BUILD_FUZZERS=ON \
    -DQUILLSET_BUILD_TESTS=OFF -DQUILLSET_BUILD_BENCHMARKS=OFF -DQUILLSET_BUILD_GUI=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$build" --target fuzz_settings fuzz_language fuzz_accounts

for target in settings language accounts; do
    corpus=fuzz/corpus/$target
    if [ $# -eq 0 ]; then
        "$build/fuzz/fuzz_$target" -runs=0 "$corpus"
    else
        work=$(mktemp -d)
        "$build/fuzz/fuzz_$target" -max_total_time="$1" -print_final_stats=1 \
            -max_len=65536 "$work" "$corpus" 2>&1 | tail -n 15 | tee "$build/fuzz_$target.log"
        # Keep a minimal corpus that covers what the run found.
        "$build/fuzz/fuzz_$target" -merge=1 "$corpus" "$work" >/dev/null 2>&1 || true
        rm -rf "$work"
    fi
done
