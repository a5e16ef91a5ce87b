#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and either replays the checked-in
# corpora (no argument) or fuzzes each target for SECONDS seconds:
#   bash scripts/fuzz.sh            # regression replay
#   bash scripts/fuzz.sh 600        # ten minutes per target, new inputs kept in fuzz/corpus
#   bash scripts/fuzz.sh 600 registry settings   # only these targets
# QUILLSET_FUZZ_BUILD names another build folder (default build/fuzz);
# QUILLSET_FUZZ_MAX_LEN the largest input tried (default 65536 bytes).
# QUILLSET_FUZZ_RUNS stops each run after that many inputs (default: none).
# QUILLSET_FUZZ_RSS_MB the memory a target may reach (default 6144 MiB):
# AddressSanitizer's quarantine and allocator caches grow a long run by about
# 0.3 GiB per million inputs (with the quarantine off the registry target
# stays at 57 MiB over 400,000 inputs: no leak), more than libFuzzer's
# default limit of 2 GiB allows for runs of tens of millions.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLSET_FUZZ_BUILD:-build/fuzz}
all_targets=(settings settings_file language accounts registry steam_library key_scan
             launchers wine_command_line profile merge)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLSET_BUILD_FUZZERS=ON \
    -DQUILLSET_BUILD_TESTS=OFF -DQUILLSET_BUILD_BENCHMARKS=OFF -DQUILLSET_BUILD_GUI=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$build" --target "${all_targets[@]/#/fuzz_}"

seconds=${1:-}
[ $# -gt 0 ] && shift
targets=("${@:-${all_targets[@]}}")
# The Wine command-line target makes its prefix once in a temporary folder:
# keep it off the disk when there is a RAM disk.
[ -n "$seconds" ] && [ -d /dev/shm ] && export TMPDIR=/dev/shm
# Recording where each block was allocated costs a tenth of a long run; a
# crash's input replays with the full report.
[ -n "$seconds" ] && export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
    fuzzer=$build/fuzz/fuzz_$target
    corpus=fuzz/corpus/$target
    if [ -z "$seconds" ]; then
        "$fuzzer" -runs=0 "$corpus"
        continue
    fi
    # New inputs go to a scratch folder; a crash stops the run and leaves its
    # input in $build/artifacts; the statistics end the log.
    work=$(mktemp -d)
    status=0
    "$fuzzer" -max_total_time="$seconds" -runs="${QUILLSET_FUZZ_RUNS:--1}" \
        -print_final_stats=1 -report_slow_units=1 \
        -max_len="${QUILLSET_FUZZ_MAX_LEN:-65536}" -rss_limit_mb="${QUILLSET_FUZZ_RSS_MB:-6144}" \
        -artifact_prefix="$build/artifacts/$target-" "$work" "$corpus" \
        >"$build/fuzz_$target.log" 2>&1 || status=$?
    grep -E "^(#[0-9]+ +DONE|stat::|==[0-9]+==|SUMMARY|Slowest|Test unit written)" \
        "$build/fuzz_$target.log" | sed "s/^/$target: /" || true
    echo "$target: exit status $status"
    # Only the new inputs that reach edges the corpus does not are kept.
    "$fuzzer" -merge=1 -use_counters=0 "$corpus" "$work" >/dev/null 2>&1 || true
    echo "$target: corpus now $(ls "$corpus" | wc -l) files, $(cat "$corpus"/* | wc -c) bytes"
    rm -rf "$work"
done
