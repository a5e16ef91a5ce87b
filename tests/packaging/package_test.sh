#!/usr/bin/env bash
# The packages as users install them, built by CPack from this build folder
# into a temporary folder. One check per run:
#   installed-program  the .deb holds the program folder in /usr/lib/quillset,
#                      the /usr/bin link, the manual page and the bash
#                      completion where man and bash-completion look, the
#                      copyright file, the changelog and the desktop
#                      integration, and depends on the Qt 6 libraries;
#                      unpacked with `dpkg -x` into a temporary root and
#                      started offscreen through that link, the program finds
#                      its language file in its own folder and the game
#                      through the registry of a Wine prefix. The .tar.gz
#                      unpacks into one folder holding the same program
#                      folder, nothing else. (The portable start from a game
#                      folder is the ui tests' Program test.)
#   lintian            Debian's checker reports no error and no warning on
#                      the .deb, and no tag is overridden.
#   upgrade            in a throwaway dpkg root, a 2.6.0 package (the
#                      program folder in /opt/quillset) upgrades to the .deb:
#                      the old folder goes, a manifest parked for the classic
#                      look stays parked, also across a reinstall and when
#                      the upgrade fails, and a purge leaves the root as it
#                      was. The 2.6.0 package is a
#                      minimal one of the old layout made here, or the one
#                      QUILLSET_OLD_DEB names (a real 2.6.0 build).
# Usage: package_test.sh CHECK BUILD_DIR SOURCE_DIR
# Exits 77 (skipped) when a tool the check needs is missing.
set -euo pipefail

check=$1
build=$2
source=$3

skip() { echo "SKIP: $*"; exit 77; }
need() { command -v "$1" >/dev/null 2>&1 || skip "$1 is not installed"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
need cpack
need dpkg-deb

work=$(realpath "$(mktemp -d)")
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
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

# Builds a package of CPack generator $1 and prints its path (name ending $2).
package() {
    cpack --config "$build/CPackConfig.cmake" -G "$1" -B "$work/$1" >"$work/cpack-$1.txt" 2>&1 ||
        { cat "$work/cpack-$1.txt" >&2; fail "cpack -G $1"; }
    find "$work/$1" -maxdepth 1 -name "*.$2" | grep . || fail "cpack made no .$2"
}

installed_program() {
    local deb contents id=org.example.quillset root=$work/root
    deb=$(package DEB deb)
    [ "$(dpkg-deb -f "$deb" Package)" = quillset ] || fail "package name"
    for library in libqt6widgets6 libqt6gui6 libqt6core6; do
        dpkg-deb -f "$deb" Depends | grep -q "$library" || fail "Depends lacks $library"
    done
    contents=$(dpkg-deb -c "$deb" | awk '{ line = $6; if ($7 == "->") line = line " -> " $8; print line }')
    for path in ./usr/lib/quillset/{quillset,language.lng,language.en.lng,Quillset.exe.Manifest} \
        ./usr/share/man/man1/quillset.1.gz ./usr/share/bash-completion/completions/quillset \
        ./usr/share/doc/quillset/{copyright,changelog.gz} \
        ./usr/share/{applications/$id.desktop,metainfo/$id.metainfo.xml} \
        ./usr/share/icons/hicolor/{scalable/apps/$id.svg,{48x48,128x128,256x256}/apps/$id.png} \
        "./usr/bin/quillset -> ../lib/quillset/quillset"; do
        grep -qxF -- "$path" <<<"$contents" || fail "the .deb lacks $path"
    done
    if grep -q '^\./opt' <<<"$contents"; then fail "the .deb still installs into /opt"; fi
    dpkg -x "$deb" "$root"
    check_program_folder "$root/usr/lib/quillset"
    gzip -dc "$root/usr/share/man/man1/quillset.1.gz" | cmp -s - "$source/resources/cli/quillset.1" &&
        cmp -s "$root/usr/share/bash-completion/completions/quillset" \
            "$source/resources/cli/quillset.bash-completion" ||
        fail "the manual page or the completion differs from its source"
    echo "ok: the .deb holds the program folder, the link, the manual page, the completion and the desktop integration"

    # A Wine prefix whose registry names the game folder C:\Games\Korrin.
    local prefix=$work/prefix demo_settings=$source/resources/demo/settings.cfg
    local game=$prefix/drive_c/Games/Korrin log=$work/current/debug.log
    mkdir -p "$game" "$prefix/dosdevices" "$work/home" "$work/current"
    ln -s ../drive_c "$prefix/dosdevices/c:"
    printf '%s\n' 'WINE REGISTRY Version 2' '[Software\\Halvane Entertainment\\Korrin Deepfall] 1' \
        '"InstallLocation"="C:\\Games\\Korrin"' >"$prefix/system.reg"
    cp "$demo_settings" "$game/settings.cfg"
    cp "$demo_settings" "$game/settings.bck"
    # Started through the package's own /usr/bin link, offscreen in a
    # current folder of its own, where its trace goes. It runs on until the
    # test ends.
    (cd "$work/current" && exec env QT_QPA_PLATFORM=offscreen WINEPREFIX="$prefix" HOME="$work/home" \
        "$root/usr/bin/quillset" >output.txt 2>&1) &
    pid=$!
    for _ in $(seq 300); do
        grep -qs "Form -> Program initialized." "$log" || ! kill -0 "$pid" 2>/dev/null && break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && grep -qs "Form -> Program initialized." "$log" ||
        { cat "$work/current/output.txt" "$log" >&2; fail "the program did not finish its start-up"; }
    for line in "init_language() -> loading language file from $root/usr/lib/quillset/language.lng" \
        "Form -> loading settings.cfg from $game/" "opensettings() -> Loading settings.cfg"; do
        tr -d '\r' <"$log" | grep -qxF -- "$line" || fail "the trace lacks: $line"
    done
    cmp -s "$game/settings.cfg" "$demo_settings" || fail "start-up changed the game's settings"
    echo "ok: the installed program, started through its link, finds its language file and the game"

    local archive folders
    archive=$(package TGZ tar.gz)
    mkdir -p "$work/unpacked"
    tar -xzf "$archive" -C "$work/unpacked"
    folders=$(entries "$work/unpacked" | grep -v /)
    [ "$(wc -l <<<"$folders")" -eq 1 ] || fail "the archive has more than one top folder: $folders"
    check_program_folder "$work/unpacked/$folders"
    echo "ok: the .tar.gz unpacks into the program folder"
}

lintian_check() {
    need lintian
    local deb
    deb=$(package DEB deb)
    # Its unpacked copies go to this test's folder.
    TMPDIR=$work HOME=$work lintian --fail-on error,warning,override "$deb" ||
        fail "lintian reports the tags above on the .deb"
    echo "ok: lintian reports no error and no warning"
}

upgrade() {
    [ "$(id -u)" -eq 0 ] || skip "installing into a throwaway root takes root (dpkg --root, chroot)"
    need dpkg
    need ldd
    local deb root=$work/root old=${QUILLSET_OLD_DEB:-} program tool path lib initial
    deb=$(package DEB deb)
    program=$root/usr/lib/quillset

    # dpkg runs the maintainer scripts chrooted into the root, so they can
    # reach nothing outside it: the root gets its database and the tools the
    # scripts use, with their libraries, in /bin and /lib, which the package
    # does not touch.
    mkdir -p "$root"/var/lib/dpkg/{info,updates} "$root/bin"
    touch "$root"/var/lib/dpkg/{status,available}
    for tool in sh mv rm rmdir mkdir; do
        path=$(readlink -f "$(command -v "$tool")")
        cp "$path" "$root/bin/$tool"
        for lib in $(ldd "$path" | grep -o '/[^ ]*'); do
            mkdir -p "$root${lib%/*}"
            cp -L "$lib" "$root$lib"
        done
    done
    chroot "$root" /bin/sh -c : 2>/dev/null || skip "chroot into $root is not permitted here"
    initial=$(entries "$root" | grep -v '^var/')

    # Packs the folder $1 as package $2, version $3, into $1.deb.
    pack() {
        mkdir -p "$1/DEBIAN"
        printf '%s\n' "Package: $2" "Version: $3" "Architecture: $(dpkg-deb -f "$deb" Architecture)" \
            "Maintainer: $(dpkg-deb -f "$deb" Maintainer)" "Description: $2 $3 for the upgrade test" \
            >"$1/DEBIAN/control"
        dpkg-deb --root-owner-group -b "$1" "$1.deb" >/dev/null
    }
    if [ -z "$old" ]; then
        # 2.6.0's layout: the program folder in /opt/quillset, linked from
        # /usr/bin, and one file the new version has at the same path.
        mkdir -p "$work/old/opt/quillset" "$work/old/usr/bin" "$work/old/usr/share/applications"
        for tool in quillset language.lng language.en.lng Quillset.exe.Manifest; do
            echo 2.6.0 >"$work/old/opt/quillset/$tool"
        done
        chmod 755 "$work/old/opt/quillset/quillset"
        ln -s /opt/quillset/quillset "$work/old/usr/bin/quillset"
        cp "$source/resources/desktop/org.example.quillset.desktop" "$work/old/usr/share/applications/"
        pack "$work/old" quillset 2.6.0
        old=$work/old.deb
    fi

    in_root() { dpkg --root="$root" --log="$work/dpkg.log" --force-depends "$@" >"$work/dpkg.txt" 2>&1; }
    run_dpkg() { in_root "$@" || { cat "$work/dpkg.txt" >&2; fail "dpkg $*"; }; }
    # $1: the manifest's name expected in the program folder after $2.
    expect() {
        [ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f '${Status} ${Version}' quillset)" = \
            "install ok installed $(dpkg-deb -f "$deb" Version)" ] || fail "$2: the new version is not installed"
        [ ! -e "$root/opt/quillset" ] || fail "$2: /opt/quillset is left with: $(entries "$root/opt/quillset")"
        [ "$(entries "$program" | tr '\n' ' ')" = "$1 language.en.lng language.lng quillset " ] ||
            fail "$2: the program folder holds: $(entries "$program" | tr '\n' ' ')"
        [ "$(readlink "$root/usr/bin/quillset")" = ../lib/quillset/quillset ] && [ -x "$root/usr/bin/quillset" ] ||
            fail "$2: /usr/bin/quillset does not lead to the program"
        echo "ok: $2"
    }

    run_dpkg -i "$old"
    [ -f "$root/opt/quillset/Quillset.exe.Manifest" ] || fail "the 2.6.0 package has no manifest in /opt/quillset"
    mv "$root/opt/quillset/Quillset.exe.Manifest" "$root/opt/quillset/Quillset.exe.Manifest_"
    # An upgrade that fails while unpacking (another package owns one of its
    # files) leaves 2.6.0 as it was, its manifest parked in /opt/quillset.
    mkdir -p "$work/other/usr/share/man/man1"
    touch "$work/other/usr/share/man/man1/quillset.1.gz"
    pack "$work/other" other 1
    run_dpkg -i "$work/other.deb"
    if in_root -i "$deb"; then fail "the upgrade over another package's file went through"; fi
    [ -f "$root/opt/quillset/Quillset.exe.Manifest_" ] && [ -f "$root/opt/quillset/quillset" ] &&
        [ ! -e "$program" ] || fail "a failed upgrade left: $(entries "$root/opt/quillset" | xargs) / $(entries "$program" | xargs)"
    echo "ok: a failed upgrade gives 2.6.0 its parked manifest back"
    run_dpkg -P other
    run_dpkg -i "$deb"
    expect Quillset.exe.Manifest_ "2.6.0 with the manifest parked upgrades, still parked"
    run_dpkg -i "$deb"
    expect Quillset.exe.Manifest_ "a reinstall keeps the manifest parked"
    run_dpkg -P quillset
    [ "$(entries "$root" | grep -v '^var/')" = "$initial" ] ||
        fail "the purge left: $(diff <(echo "$initial") <(entries "$root" | grep -v '^var/') | grep '^>')"
    echo "ok: a purge leaves nothing behind"
    run_dpkg -i "$old"
    run_dpkg -i "$deb"
    expect Quillset.exe.Manifest "2.6.0 with the manifest in place upgrades to the modern look"
}

case "$check" in
installed-program) installed_program ;;
lintian) lintian_check ;;
upgrade) upgrade ;;
*) fail "unknown check $check" ;;
esac
