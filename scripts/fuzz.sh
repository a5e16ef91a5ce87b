#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and either replays the checked-in
# corpora (no argument) or fuzzes each target for SECONDS seconds:
#   bash scripts/fuzz.sh            # regression replay
#   bash scripts/fuzz.sh 600        # ten minutes per target, new inputs kept in fuzz/corpus
#   bash scripts/fuzz.sh 600 registry settings   # only these targets
# QUILLSET_FUZZ_BUILD names another build folder (default build/fuzz);
# QUILLSET_FUZZ_MAX_LEN the largest input tried (default 65536 bytes).
# QUILLSET_FUZZ_RSS_MB the memory a target may reach (default 6144 MiB):
# AddressSanitizer's quarantine and allocator caches grow a long run by about
# 0.3 GiB per million inputs (with the quarantine off the registry target
# stays at 57 MiB over 400,000 inputs: no leak), more than libFuzzer's
# default limit of 2 GiB allows for runs of tens of millions.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLSET_FUZZ_BUILD:-build/fuzz}
all_targets=(settings language accounts registry steam_library)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLSET_BUILD_FUZZERS=ON \
    -DQUILLSET_BUILD_TESTS=OFF -DQUILLSET_BUILD_BENCHMARKS=OFF -DQUILLSET_BUILD_GUI=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$build" --target "${all_targets[@]/#/fuzz_}"

if [ $# -eq 0 ]; then
    for target in "${all_targets[@]}"; do
        "$build/fuzz/fuzz_$target" -runs=0 "fuzz/corpus/$target"
    done
    exit 0
fi

seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

# The accounts and language targets write a file per input: keep that off the
# disk when there is a RAM disk.
[ -d /dev/shm ] && export TMPDIR=/dev/shm

mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
    corpus=fuzz/corpus/$target
    work=$(mktemp -d)
    # A crash stops the run and leaves its input in $build/artifacts; the
    # statistics (executions, slowest input, coverage) end the log.
    set +e
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -max_len="${QUILLSET_FUZZ_MAX_LEN:-65536}" -rss_limit_mb="${QUILLSET_FUZZ_RSS_MB:-6144}" \
        -report_slow_units=1 -artifact_prefix="$build/artifacts/$target-" \
        "$work" "$corpus" >"$build/fuzz_$target.log" 2>&1
    status=$?
    set -e
    grep -E "^(#[0-9]+ +DONE|stat::|==[0-9]+==|SUMMARY|Slowest|Test unit written)" \
        "$build/fuzz_$target.log" | sed "s/^/$target: /" || true
    echo "$target: exit status $status"
    # Keep the corpus small: the inputs written by hand (they have a file
    # extension) plus the fewest found inputs (named by their SHA-1) that
    # reach every edge the whole lot reaches.
    minimal=$(mktemp -d)
    "$build/fuzz/fuzz_$target" -merge=1 -use_counters=0 "$minimal" "$corpus" "$work" \
        >/dev/null 2>&1 || true
    find "$corpus" -type f -regextype egrep -regex '.*/[0-9a-f]{40}' -delete
    seeds=$(sha1sum "$corpus"/* | cut -d' ' -f1)
    for input in "$minimal"/*; do
        grep -qx "$(basename "$input")" <<<"$seeds" || cp "$input" "$corpus/"
    done
    echo "$target: corpus now $(ls "$corpus" | wc -l) files, $(cat "$corpus"/* | wc -c) bytes"
    rm -rf "$work" "$minimal"
done
