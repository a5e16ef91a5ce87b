#!/usr/bin/env bash
# Takes the README's picture of the Options window: starts the release build
# under Xvfb on a copy of the demo game folder (resources/demo), as a
# portable program in that folder with the visual-style manifest beside it,
# and stores the window as docs/options-window.png.
#   bash scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
output=${1:-docs/options-window.png}
case "$output" in /*) ;; *) output=$root/$output ;; esac

# QUILLSET_BUILD_DIR: take the program from that build folder as it is.
build=${QUILLSET_BUILD_DIR:-}
if [ -z "$build" ]; then
    bash scripts/install-deps.sh
    cmake --preset release >/dev/null
    cmake --build --preset release --target quillset
    build=build/release
fi

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

game=$work/Korrin
mkdir -p "$game" "$work/current"
cp "$build/src/quillset" "$build/src/quillset-window.so" "$build/src/language.lng" \
    resources/desktop/Quillset.exe.Manifest "$game/"
cp resources/demo/settings.cfg "$game/settings.cfg"
cp resources/demo/settings.cfg "$game/settings.bck"

# A display of its own: Xvfb picks a free number and tells it on fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "screenshot: Xvfb did not start" >&2; exit 1; }
display=:$(cat "$work/display")

# No Wine prefix: the settings beside the program are the game's.
(cd "$work/current" && exec env DISPLAY="$display" QT_QPA_PLATFORM=xcb WINEPREFIX= \
    HOME="$work" "$game/quillset") &
program_pid=$!
for _ in $(seq 1 300); do
    grep -qs "Form -> Program initialized." "$work/current/debug.log" && break
    sleep 0.1
done
grep -qs "Form -> Program initialized." "$work/current/debug.log" ||
    { echo "screenshot: the program did not start" >&2; exit 1; }
sleep 1 # let the window paint

mkdir -p "$(dirname "$output")"
import -display "$display" -window "Quillset : $game/settings.cfg" "$output"
echo "$output"
