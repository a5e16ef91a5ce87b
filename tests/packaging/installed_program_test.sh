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
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(realpath "$(mktemp -d)")
started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# A folder's entries, one a line, sorted.
entries() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }

check_program_folder() {
    [ "$(entries "$1" | tr '\n' ' ')" = "Quillset.exe.Manifest language.en.lng language.lng quillset " ] ||
        fail "$1 holds: $(entries "$1" | tr '\n' ' ')"
    cmp -s "$1/language.lng" "$source/resources/lang/language.de.lng" &&
        cmp -s "$1/language.en.lng" "$source/resources/lang/language.en.lng" ||
        fail "$1 lacks the German language.lng or the English language.en.lng"
    [ -x "$1/quillset" ] || fail "$1/quillset is not executable"
}

# Starts a program offscreen in a folder of its own and waits until its
# trace says start-up is complete, then checks the trace holds each line
# given. The program runs on until the test ends.
# Usage: start_program EXECUTABLE CURRENT_FOLDER VAR=value... -- LINE...
start_program() {
    local exe=$1 current=$2 variables=()
    shift 2
    while [ "$1" != -- ]; do variables+=("$1") && shift; done
    shift
    mkdir -p "$current"
    (cd "$current" && exec env QT_QPA_PLATFORM=offscreen "${variables[@]}" "$exe" >output.txt 2>&1) &
    started+=("$!")
    local tries=300
    until grep -qs "Form -> Program initialized." "$current/debug.log"; do
        kill -0 "$!" 2>/dev/null && [ $((tries -= 1)) -gt 0 ] || {
            cat "$current/output.txt" "$current/debug.log" >&2 || true
            fail "$exe did not finish its start-up"
        }
        sleep 0.1
    done
    kill -0 "$!" 2>/dev/null || fail "$exe ended after start-up"
    for line in "$@"; do
        tr -d '\r' <"$current/debug.log" | grep -qxF -- "$line" || fail "the trace lacks: $line"
    done
}

# Builds a package of CPack generator $1 and prints its path (name ending $2).
package() {
    cpack --config "$build/CPackConfig.cmake" -G "$1" -B "$work/$1" >"$work/cpack-$1.txt" 2>&1 ||
        { cat "$work/cpack-$1.txt" >&2; fail "cpack -G $1"; }
    find "$work/$1" -maxdepth 1 -name "*.$2" | grep . || fail "cpack made no .$2"
}

demo_settings=$source/resources/demo/settings.cfg

# --- 1. cmake --install ------------------------------------------------------
cmake --install "$build" --prefix "$work/installed" >/dev/null
check_program_folder "$work/installed"
echo "ok: cmake --install lays out the program folder"

# --- 2. The .deb -----------------------------------------------------------------
deb=$(package DEB deb)
[ "$(dpkg-deb -f "$deb" Package)" = quillset ] || fail "package name"
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
    dpkg-deb -f "$deb" Depends | grep -q "$library" || fail "Depends lacks $library"
done
contents=$(dpkg-deb -c "$deb" | awk '{ line = $6; if ($7 == "->") line = line " -> " $8; print line }')
id=org.example.quillset
for path in ./opt/quillset/{quillset,language.lng,language.en.lng,Quillset.exe.Manifest} \
    ./usr/share/{applications/$id.desktop,metainfo/$id.metainfo.xml} \
    ./usr/share/icons/hicolor/{scalable/apps/$id.svg,{48x48,128x128,256x256}/apps/$id.png} \
    "./usr/bin/quillset -> /opt/quillset/quillset"; do
    grep -qxF -- "$path" <<<"$contents" || fail "the .deb lacks $path"
done
root=$work/root
dpkg -x "$deb" "$root"
check_program_folder "$root/opt/quillset"
echo "ok: the .deb holds the program folder, the link and the desktop integration"

# A Wine prefix whose registry names the game folder C:\Games\Korrin.
prefix=$work/prefix
game=$prefix/drive_c/Games/Korrin
mkdir -p "$game" "$prefix/dosdevices" "$work/home" "$work/bin"
ln -s ../drive_c "$prefix/dosdevices/c:"
printf '%s\n' 'WINE REGISTRY Version 2' '[Software\\Halvane Entertainment\\Korrin Deepfall] 1' \
    '"InstallLocation"="C:\\Games\\Korrin"' >"$prefix/system.reg"
cp "$demo_settings" "$game/settings.cfg"
cp "$demo_settings" "$game/settings.bck"
# Started the way /usr/bin/quillset starts it: through a link elsewhere.
ln -s "$root/opt/quillset/quillset" "$work/bin/quillset"
start_program "$work/bin/quillset" "$work/current" WINEPREFIX="$prefix" HOME="$work/home" -- \
    "init_language() -> loading language file from $root/opt/quillset/language.lng" \
    "Form -> loading settings.cfg from $game/" "opensettings() -> Loading settings.cfg"
cmp -s "$game/settings.cfg" "$demo_settings" || fail "start-up changed the game's settings"
echo "ok: the installed program, started through a link, finds its language file and the game"

# --- 3. The .tar.gz ------------------------------------------------------------
archive=$(package TGZ tar.gz)
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
start_program "$portable/quillset" "$work/current-portable" WINEPREFIX= HOME="$work/home" -- \
    "init_language() -> loading language file from $portable/language.lng" \
    "Form -> loading settings.cfg from $portable/"
echo "ok: the .tar.gz unpacks into the program folder, which works as a portable program"
