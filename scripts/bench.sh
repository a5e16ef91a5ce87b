#!/usr/bin/env bash
# Builds an optimised tree and measures what docs/PERFORMANCE.md publishes:
#   - load and write of settings files, language file loads, a real save
#     (Google Benchmark, build/perf/bench/quillset_bench);
#   - start-up to the shown window and to the first painted frame, and peak
#     memory, of Quillset against a bare Qt window and a bare window with one
#     line of text, under Xvfb and offscreen (build/perf/bench/startup_bench).
#   bash scripts/bench.sh [RUNS]      # RUNS start-ups per program (default 21)
#   bash scripts/bench.sh --callgrind # instructions of each start-up, by function
# Results go to the terminal and to build/perf/bench-results.md.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/perf
callgrind=false
if [ "${1:-}" = "--callgrind" ]; then
    callgrind=true
    shift
fi
runs=${1:-21}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLSET_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target quillset quillset_bench bare_window bare_text_window \
    startup_bench first_frame_probe

# Quillset with the demo settings beside it, as a game folder: settings.bck
# exists, so start-up makes no backup and asks nothing.
game=$build/startup-game
rm -rf "$game"
mkdir -p "$game"
cp "$build/src/quillset" "$build/src/language.lng" "$game/"
cp resources/demo/settings.cfg "$game/settings.cfg"
cp resources/demo/settings.cfg "$game/settings.bck"

# Instructions (repeatable, unlike times) from process start to the first
# painted frame, and the functions that spend them.
profile() { # LABEL PROGRAM
    local dir pid program probe
    dir=$(mktemp -d)
    program=$(realpath "$2")
    probe=$(realpath "$build/bench/libfirst_frame_probe.so")
    (cd "$dir" && HOME=$dir XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=offscreen LD_PRELOAD=$probe \
        exec valgrind --tool=callgrind --callgrind-out-file="$dir/callgrind.out" "$program" \
        >/dev/null 2>&1) &
    pid=$!
    for _ in $(seq 600); do
        [ -s "$dir/first-frame.log" ] && break
        sleep 0.1
    done
    sleep 1
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "### $1"
    echo '```'
    callgrind_annotate --inclusive=yes "$dir/callgrind.out" 2>/dev/null \
        | grep -E "PROGRAM TOTALS|quillset::|QFontDatabasePrivate::(ensureFontDatabase|loadEngine)|QApplication::exec" \
        | head -30 | cut -c1-150
    echo '```'
    rm -rf "$dir"
}
if $callgrind; then
    cmake --build "$build" --target first_frame_probe
    profile bare-text "$build/bench/bare_text_window"
    profile quillset "$game/quillset"
    exit 0
fi

out=$build/bench-results.md
{
    echo "# Benchmark run $(date -u +%Y-%m-%dT%H:%MZ) on $(nproc) cores, $(uname -r)"
    echo
    echo '## Load and save'
    echo '```'
    # Medians of 9 repetitions: this machine may be shared, single runs wander.
    "$build/bench/quillset_bench" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
        --benchmark_min_time=0.3 2>&1 | grep -vE "_(mean|stddev|cv) "
    echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
    echo '```'
} | tee "$out"

programs=("bare=$build/bench/bare_window" "bare-text=$build/bench/bare_text_window"
          "quillset=$game/quillset")
startup=("$build/bench/startup_bench" --probe "$build/bench/libfirst_frame_probe.so" --runs "$runs")
{
    if command -v xvfb-run >/dev/null; then
        echo
        echo "## Start-up under Xvfb (xcb platform), $runs runs each"
        echo
        xvfb-run -a -s "-screen 0 1280x1024x24" "${startup[@]}" --platform xcb "${programs[@]}"
    fi
    echo
    echo "## Start-up on the offscreen platform, $runs runs each"
    echo
    "${startup[@]}" --platform offscreen "${programs[@]}"
} | tee -a "$out"
