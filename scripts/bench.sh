#!/usr/bin/env bash
# Builds an optimised tree and measures what docs/PERFORMANCE.md publishes:
#   - load and write of settings files, language file loads, a real save
#     (Google Benchmark, build/perf/bench/quillset_bench);
#   - start-up to the shown window and to the first painted frame, and peak
#     memory, of Quillset against a bare Qt window and a bare window with one
#     line of text, under Xvfb and offscreen (build/perf/bench/startup_bench).
#   - a command from the command line (where, get, set, apply) against
#     quillset --version, which is process start alone (hyperfine).
#   bash scripts/bench.sh [RUNS]      # RUNS start-ups per program (default 21)
#   bash scripts/bench.sh --callgrind # instructions of each start-up, by function
#   bash scripts/bench.sh --commands  # the commands only
# Results go to the terminal and to build/perf/bench-results.md.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/perf
callgrind=false
commands_only=false
if [ "${1:-}" = "--callgrind" ]; then
    callgrind=true
    shift
elif [ "${1:-}" = "--commands" ]; then
    commands_only=true
    shift
fi
runs=${1:-21}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLSET_BUILD_TESTS=OFF >/dev/null

# Each command as a launcher's script runs it: the release program, no
# display, a home of its own, the demo settings in a game folder that has
# its backup (set writes the file each run: prepare puts the old one back),
# and a small Wine prefix holding the game for where.
commands() {
    local dir q
    dir=$(realpath "$build")/commands
    rm -rf "$dir"
    mkdir -p "$dir/home" "$dir/game" "$dir/pfx/drive_c/Korrin" "$dir/pfx/dosdevices"
    ln -s ../drive_c "$dir/pfx/dosdevices/c:"
    printf 'WINE REGISTRY Version 2\n#arch=win64\n\n[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\Korrin Deepfall] 1700000000\n"InstallLocation"="C:\\\\Korrin"\n' >"$dir/pfx/system.reg"
    for file in settings.cfg settings.bck settings.orig; do
        cp resources/demo/settings.cfg "$dir/game/$file"
        cp resources/demo/settings.cfg "$dir/pfx/drive_c/Korrin/$file"
    done
    printf 'DETAILLEVEL : 0\nFSAA_FILTER : 0\nMUSICVOLUME : 60\n' >"$dir/low.cfg"
    q="$(realpath "$build/src/quillset") --game-folder $dir/game"
    echo
    echo "## A command from the command line, $(wc -l <resources/demo/settings.cfg)-line settings file"
    echo
    echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
    env -i HOME="$dir/home" PATH=/usr/bin:/bin hyperfine --shell=none --warmup 10 --runs 300 \
        --style none --export-json "$dir/times.json" \
        --prepare "cp $dir/game/settings.orig $dir/game/settings.cfg" \
        "$(realpath "$build/src/quillset") --version" "$q get" "$q get --json" \
        "$q set MUSICVOLUME=80 DETAILLEVEL=0" "$q apply $dir/low.cfg" \
        "$(realpath "$build/src/quillset") --prefix $dir/pfx where"
    # Medians: this machine may be shared, and a few slow runs move a mean.
    python3 - "$dir/times.json" "$dir/" <<'PY'
import json, statistics, sys
print("| command | median | min | max | user + system, mean |")
print("|---|---|---|---|---|")
for r in json.load(open(sys.argv[1]))["results"]:
    command = r["command"].replace(sys.argv[2], "").split("/quillset ", 1)[-1]
    ms = lambda s: f"{s * 1000:.1f} ms"
    print(f"| `quillset {command}` | {ms(statistics.median(r['times']))} | {ms(r['min'])} "
          f"| {ms(r['max'])} | {ms(r['user'] + r['system'])} |")
PY
    echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
}
if $commands_only; then
    cmake --build "$build" --target quillset
    commands | tee "$build/bench-commands.md"
    exit 0
fi

cmake --build "$build" --target quillset quillset_bench bare_window bare_text_window \
    startup_bench first_frame_probe

# Quillset with the demo settings beside it, as a game folder: settings.bck
# exists, so start-up makes no backup and asks nothing.
game=$build/startup-game
rm -rf "$game"
mkdir -p "$game"
cp "$build/src/quillset" "$build/src/quillset-window.so" "$build/src/language.lng" "$game/"
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
    if command -v hyperfine >/dev/null; then
        commands
    fi
} | tee -a "$out"
