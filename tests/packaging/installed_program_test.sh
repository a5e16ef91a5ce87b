#!/usr/bin/env bash
# The program as users install it:
#   1. `cmake --install` lays out the program folder and nothing else;
#   2. the .deb (built by CPack from this build folder) holds the folder in
#      /opt/quillset, the /usr/bin link, the desktop entry, the icons and the
#      metainfo, and depends on the Qt 6 libraries; unpacked with `dpkg -x`
#      into a temporary root (no system install) and started offscreen
#      through a link, it finds its language file in its own folder and the
#      game through the registry of a Wine prefix;
#   3. the .tar.gz unpacks into the same folder, and copied into a game
#      folder it works as a portable program.
# Usage: installed_program_test.sh BUILD_DIR SOURCE_DIR
# Exits 77 (skipped) when dpkg-deb or cpack is missing.
set -euo pipefail

build=$1
source=$2

for tool in cpack dpkg-deb; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(realpath "$(mktemp -d)")
started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Lists a folder's entries, one a line, sorted.
entries() {
    (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
}

program_folder="Quillset.exe.Manifest
language.en.lng
language.lng
quillset"

check_program_folder() {
    local folder=$1
    [ "$(entries "$folder")" = "$program_folder" ] ||
        fail "$folder holds: $(entries "$folder" | tr '\n' ' ')"
    cmp -s "$folder/language.lng" "$source/resources/lang/language.de.lng" ||
        fail "$folder/language.lng is not the German language file"
    cmp -s "$folder/language.en.lng" "$source/resources/lang/language.en.lng" ||
        fail "$folder/language.en.lng is not the English language file"
    [ -x "$folder/quillset" ] || fail "$folder/quillset is not executable"
}

# Starts a program offscreen in a folder of its own and waits until its
# trace says start-up is complete; leaves the trace in $trace. The program
# runs on until the test ends.
# Usage: start_program EXECUTABLE CURRENT_FOLDER [VAR=value...]
trace=
start_program() {
    local exe=$1 current=$2
    shift 2
    mkdir -p "$current"
    (cd "$current" && exec env QT_QPA_PLATFORM=offscreen "$@" "$exe" >"$current/output.txt" 2>&1) &
    local pid=$!
    started+=("$pid")
    local log="$current/debug.log"
    for _ in $(seq 1 300); do
        if [ -f "$log" ] && grep -q "Form -> Program initialized." "$log"; then
            kill -0 "$pid" 2>/dev/null || fail "$exe ended after start-up"
            trace=$(tr -d '\r' <"$log")
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    cat "$current/output.txt" >&2 || true
    [ -f "$log" ] && tr -d '\r' <"$log" >&2
    fail "$exe did not finish its start-up"
}

expect_line() {
    grep -qxF -- "$2" <<<"$1" || fail "the trace lacks: $2"
}

demo_settings=$source/resources/demo/settings.cfg

# --- 1. cmake --install ------------------------------------------------------
cmake --install "$build" --prefix "$work/installed" >/dev/null
check_program_folder "$work/installed"
echo "ok: cmake --install lays out the program folder"

# --- 2. The .deb -----------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack-deb.txt" 2>&1 ||
    { cat "$work/cpack-deb.txt" >&2; fail "cpack -G DEB"; }
deb=$(find "$work/deb" -maxdepth 1 -name '*.deb')
[ -n "$deb" ] || fail "cpack made no .deb"

[ "$(dpkg-deb -f "$deb" Package)" = quillset ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{ line = $6; if ($7 == "->") line = line " -> " $8; print line }')
for path in ./opt/quillset/quillset ./opt/quillset/language.lng ./opt/quillset/language.en.lng \
    ./opt/quillset/Quillset.exe.Manifest \
    ./usr/share/applications/org.example.quillset.desktop \
    ./usr/share/metainfo/org.example.quillset.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.example.quillset.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.example.quillset.png \
    ./usr/share/icons/hicolor/128x128/apps/org.example.quillset.png \
    ./usr/share/icons/hicolor/256x256/apps/org.example.quillset.png; do
    grep -qx -- "$path" <<<"$contents" || fail "the .deb lacks $path"
done
grep -qx -- "./usr/bin/quillset -> /opt/quillset/quillset" <<<"$contents" ||
    fail "the .deb lacks the link /usr/bin/quillset -> /opt/quillset/quillset"

root=$work/root
dpkg -x "$deb" "$root"
check_program_folder "$root/opt/quillset"
echo "ok: the .deb holds the program folder, the link and the desktop integration"

# A Wine prefix whose registry names the game folder C:\Games\Korrin.
prefix=$work/prefix
game=$prefix/drive_c/Games/Korrin
mkdir -p "$game" "$prefix/dosdevices" "$work/home"
ln -s ../drive_c "$prefix/dosdevices/c:"
printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to \\Machine' '' \
    '[Software\\Halvane Entertainment\\Korrin Deepfall] 1700000000' \
    '"InstallLocation"="C:\\Games\\Korrin"' >"$prefix/system.reg"
cp "$demo_settings" "$game/settings.cfg"
cp "$demo_settings" "$game/settings.bck"

# Started the way /usr/bin/quillset starts it: through a link elsewhere.
mkdir -p "$work/bin"
ln -s "$root/opt/quillset/quillset" "$work/bin/quillset"
start_program "$work/bin/quillset" "$work/current" WINEPREFIX="$prefix" HOME="$work/home"
expect_line "$trace" "init_language() -> loading language file from $root/opt/quillset/language.lng"
expect_line "$trace" "Form -> loading settings.cfg from $game/"
expect_line "$trace" "opensettings() -> Loading settings.cfg"
cmp -s "$game/settings.cfg" "$demo_settings" || fail "start-up changed the game's settings"
echo "ok: the installed program, started through a link, finds its language file and the game"

# --- 3. The .tar.gz ------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -G TGZ -B "$work/tgz" >"$work/cpack-tgz.txt" 2>&1 ||
    { cat "$work/cpack-tgz.txt" >&2; fail "cpack -G TGZ"; }
archive=$(find "$work/tgz" -maxdepth 1 -name '*.tar.gz')
[ -n "$archive" ] || fail "cpack made no .tar.gz"
mkdir -p "$work/unpacked"
tar -xzf "$archive" -C "$work/unpacked"
folders=$(entries "$work/unpacked" | grep -v /)
[ "$(wc -l <<<"$folders")" -eq 1 ] || fail "the archive has more than one top folder: $folders"
portable=$work/unpacked/$folders
check_program_folder "$portable"

# Copied into a game folder: the settings beside it are the game's (no Wine
# prefix here, so no registry value competes with them).
cp "$demo_settings" "$portable/settings.cfg"
cp "$demo_settings" "$portable/settings.bck"
start_program "$portable/quillset" "$work/current-portable" WINEPREFIX= HOME="$work/home"
expect_line "$trace" "init_language() -> loading language file from $portable/language.lng"
expect_line "$trace" "Form -> loading settings.cfg from $portable/"
echo "ok: the .tar.gz unpacks into the program folder, which works as a portable program"
