#!/usr/bin/env bash
# The packaging checks: the files the packages ship, and the packages as users
# install them, built by CPack from this build folder into a temporary folder.
# CHECK is one of:
#   desktop-entry      the .desktop file in resources/desktop passes
#                      desktop-file-validate, and its command starts the
#                      program on the PATH in $XDG_STATE_HOME/quillset (by
#                      default ~/.local/state/quillset).
#   metainfo           the AppStream file beside it passes appstreamcli
#                      validate (offline) and names VERSION and the entry.
#   completion         the bash completion in resources/cli: its key line names
#                      every key of the catalogue but the held ones (FONTPAGES
#                      and the CD keys, which set refuses), in the catalogue's
#                      order; it completes the commands, the options, the keys
#                      after get and set, a file after apply and a folder
#                      after --prefix and --game-folder.
#   installed-program  the .deb's files (the program folder in /usr/lib, the
#                      link, manual page, completion, copyright, changelog,
#                      desktop integration) and Qt 6 depends; unpacked with
#                      `dpkg -x` and started offscreen through its link, the
#                      program finds its language file and, through a Wine
#                      prefix, the game; with its folder read-only for the
#                      user, the texts of the desktop's language (English).
#                      The .tar.gz holds that folder only (its start from a
#                      game folder: the ui Program test).
#   lintian            no error, warning or override on the .deb.
#   upgrade            in a throwaway dpkg root, 2.6.0 (in /opt; made here,
#                      or QUILLSET_OLD_DEB) upgrades to the .deb, a manifest
#                      parked for the classic look stays parked (also across
#                      a reinstall and a failed upgrade), a purge leaves the
#                      root as it was.
# Usage: package_test.sh CHECK BUILD_DIR SOURCE_DIR VERSION. Exits 77 (skipped)
# when a tool the check needs is missing.
set -euo pipefail

check=$1 build=$2 source=$3 version=$4 id=org.example.quillset

skip() { echo "SKIP: $*"; exit 77; }
need() { for tool; do [ -n "$(command -v "$tool")" ] || skip "$tool is not installed"; done; }
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(realpath "$(mktemp -d)")
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>"$work/kill.txt"; chmod -R u+w "$work"; rm -rf "$work"' EXIT
# A folder's entries, one a line, sorted.
entries() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }
# Fails unless folder $1 holds exactly the entries $2 (sorted); $3 names the step.
holds() { [ "$(entries "$1" | xargs)" = "$2" ] || fail "${3:+$3: }$1 holds: $(entries "$1" | xargs)"; }

check_program_folder() {
    holds "$1" "Quillset.exe.Manifest language.en.lng language.lng quillset quillset-window.so"
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

check_desktop_entry() {
    need desktop-file-validate
    local entry=$source/resources/desktop/$id.desktop state started
    desktop-file-validate "$entry" || fail "desktop-file-validate"
    # The command as a desktop runs it: the file's own escapes (\\ for a
    # backslash) undone, then split into arguments by the Exec quoting rules,
    # which inside double quotes are the shell's.
    eval "set -- $(sed -n 's/^Exec=//p' "$entry" | sed 's/\\\\/\\/g')"
    mkdir -p "$work/bin" "$work/home"
    printf '#!/bin/sh\npwd >"%s/started-in"\n' "$work" >"$work/bin/quillset"
    chmod +x "$work/bin/quillset"
    for state in "" "$work/state"; do
        (cd / && env -u XDG_STATE_HOME HOME="$work/home" PATH="$work/bin:$PATH" \
            ${state:+XDG_STATE_HOME="$state"} "$@") || fail "the entry's command failed"
        started=$(cat "$work/started-in"; rm -f "$work/started-in")
        [ "$started" = "${state:-$work/home/.local/state}/quillset" ] ||
            fail "the entry started quillset in '$started'"
    done
}

check_metainfo() {
    need appstreamcli
    local metainfo=$source/resources/desktop/$id.metainfo.xml
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo must launch $id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" ||
        fail "the metainfo has no release entry for version $version"
}

check_completion() {
    local catalogue=$source/src/settings/key_catalogue.h keys count
    keys=$(grep -oE '^ +[a-zA-Z]+[({]"[A-Z0-9_]+"' "$catalogue" | sed -E 's/.*"(.*)"/\1/')
    count=$(grep -oE 'kKeyCount = [0-9]+' "$catalogue" | grep -oE '[0-9]+$')
    [ "$(wc -l <<<"$keys")" -eq "$count" ] ||
        fail "read $(wc -l <<<"$keys") keys from the catalogue, not its $count"
    keys=$(grep -vxE 'FONTPAGES|NETWORK_CDKEY2?' <<<"$keys" | xargs)
    # shellcheck source=/dev/null
    source "$source/resources/cli/quillset.bash-completion"
    [ "$_quillset_keys" = "$keys" ] || fail "the completion's keys differ from the catalogue's:" \
        "$(diff <(tr ' ' '\n' <<<"$_quillset_keys") <(tr ' ' '\n' <<<"$keys") | grep '^[<>]' | xargs)"

    mkdir "$work/korrin" "$work/kq"
    touch "$work/low.cfg"
    cd "$work"
    # compopt works only while bash completes a line; here its options are moot.
    # shellcheck disable=SC2317 # _quillset calls it
    compopt() { :; }
    # The words of a command line as bash splits them (at "=" too), the last one
    # being completed, then "::" and the expected completions, sorted.
    expect() {
        local words=() got
        while [ "$1" != "::" ]; do words+=("$1"); shift; done
        shift
        COMP_WORDS=("${words[@]}") COMP_CWORD=$((${#words[@]} - 1))
        _quillset || true # errexit is off inside it, as it was written for an interactive shell
        got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | xargs)
        [ "$got" = "$*" ] || fail "[${words[*]}] completes to [$got], not [$*]"
    }
    expect quillset "" :: apply get set where
    expect quillset - :: --game-folder --help --prefix --version
    expect quillset --prefix k :: korrin kq
    expect quillset --game-folder = ko :: korrin
    expect quillset --prefix korrin a :: apply
    expect quillset get --j :: --json
    expect quillset where "" ::
    expect quillset get FULL :: FULLSCREEN
    expect quillset set SOUNDQ :: SOUNDQUALITY=
    expect quillset set SOUND = ::
    expect quillset set SOUND = 1 NIGHT :: NIGHT_DARKNESS=
    expect quillset set NETWORK_CDK :: NETWORK_CDKEY_HIDE=
    expect quillset set --f :: --force
    expect quillset apply l :: low.cfg
    expect quillset apply low.cfg "" ::
}

check_installed_program() {
    need cpack dpkg-deb
    local deb contents root=$work/root
    deb=$(package DEB deb)
    [ "$(dpkg-deb -f "$deb" Package)" = quillset ] || fail "package name"
    for library in libqt6widgets6 libqt6gui6 libqt6core6; do
        dpkg-deb -f "$deb" Depends | grep -q "$library" || fail "Depends lacks $library"
    done
    contents=$(dpkg-deb -c "$deb" | awk '{ line = $6; if ($7 == "->") line = line " -> " $8; print line }')
    # The program folder, manual page and completion are checked unpacked.
    for path in ./usr/share/doc/quillset/{copyright,changelog.gz} \
        ./usr/share/{applications/$id.desktop,metainfo/$id.metainfo.xml} \
        ./usr/share/icons/hicolor/{scalable/apps/$id.svg,{48x48,128x128,256x256}/apps/$id.png} \
        "./usr/bin/quillset -> ../lib/quillset/quillset"; do
        grep -qxF -- "$path" <<<"$contents" || fail "the .deb lacks $path"
    done
    ! grep -q '^\./opt' <<<"$contents" || fail "the .deb still installs into /opt"
    dpkg -x "$deb" "$root"
    check_program_folder "$root/usr/lib/quillset"
    gzip -dc "$root/usr/share/man/man1/quillset.1.gz" | cmp -s - "$source/resources/cli/quillset.1" &&
        cmp -s "$root/usr/share/bash-completion/completions/quillset" \
            "$source/resources/cli/quillset.bash-completion" ||
        fail "the manual page or the completion differs from its source"

    # A Wine prefix whose registry names the game folder C:\Games\Korrin.
    local prefix=$work/prefix demo_settings=$source/resources/demo/settings.cfg
    local game=$prefix/drive_c/Games/Korrin log=$work/current/debug.log
    mkdir -p "$game" "$prefix/dosdevices" "$work/home" "$work/current"
    ln -s ../drive_c "$prefix/dosdevices/c:"
    printf '%s\n' 'WINE REGISTRY Version 2' '[Software\\Halvane Entertainment\\Korrin Deepfall] 1' \
        '"InstallLocation"="C:\\Games\\Korrin"' >"$prefix/system.reg"
    cp "$demo_settings" "$game/settings.cfg"
    cp "$demo_settings" "$game/settings.bck"
    # Started through the package's /usr/bin link, offscreen, in a current
    # folder of its own where its trace goes, with the command $@ in front;
    # it runs until it is stopped or the test ends. $1..: the lines its trace must have.
    start_program() {
        local line
        rm -f "$log"
        (cd "$work/current" && exec "${launch[@]}" env QT_QPA_PLATFORM=offscreen WINEPREFIX="$prefix" \
            HOME="$work/home" LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= "$root/usr/bin/quillset" >output.txt 2>&1) &
        pid=$!
        for _ in $(seq 300); do
            grep -qs "Form -> Program initialized." "$log" || ! kill -0 "$pid" 2>"$work/kill.txt" && break
            sleep 0.1
        done
        kill -0 "$pid" 2>"$work/kill.txt" && grep -qs "Form -> Program initialized." "$log" ||
            { cat "$work/current/output.txt" "$log" >&2; fail "the program did not finish its start-up"; }
        for line in "$@" "Form -> loading settings.cfg from $game/" "opensettings() -> Loading settings.cfg"; do
            tr -d '\r' <"$log" | grep -qxF -- "$line" || fail "the trace lacks: $line"
        done
        cmp -s "$game/settings.cfg" "$demo_settings" || fail "start-up changed the game's settings"
        kill "$pid" && wait "$pid" 2>"$work/kill.txt" || true
        pid=
    }
    # A folder the user can write keeps language.lng, whatever the desktop's language.
    local launch=()
    start_program "init_language() -> loading language file from $root/usr/lib/quillset/language.lng"
    # One the user cannot write (as root: without the capabilities that
    # override permission bits) gives the desktop's language, untouched.
    [ "$(id -u)" -ne 0 ] ||
        launch=(setpriv --bounding-set=-dac_override,-dac_read_search --inh-caps=-dac_override,-dac_read_search)
    chmod -R a-w "$root/usr/lib/quillset"
    start_program "init_language() -> loading language file from $root/usr/lib/quillset/language.en.lng"
    chmod -R u+w "$root/usr/lib/quillset"
    check_program_folder "$root/usr/lib/quillset"

    mkdir -p "$work/unpacked"
    tar -xzf "$(package TGZ tar.gz)" -C "$work/unpacked"
    # A second entry beside the top folder makes this path name no folder.
    check_program_folder "$work/unpacked/$(ls "$work/unpacked")"
}

check_lintian() {
    need cpack dpkg-deb lintian
    # Its unpacked copies go to this test's folder.
    TMPDIR=$work HOME=$work lintian --fail-on error,warning,override "$(package DEB deb)" ||
        fail "lintian reports the tags above on the .deb"
}

check_upgrade() {
    [ "$(id -u)" -eq 0 ] || skip "installing into a throwaway root takes root (dpkg --root, chroot)"
    need cpack dpkg-deb dpkg ldd
    local deb root=$work/root old=${QUILLSET_OLD_DEB:-} program=$work/root/usr/lib/quillset tool path initial
    deb=$(package DEB deb)

    # dpkg runs the maintainer scripts chrooted into the root: it gets its
    # database and the tools the scripts use, with their libraries, in /bin
    # and /lib, which the package does not touch.
    mkdir -p "$root"/var/lib/dpkg/{info,updates} "$root/bin"
    touch "$root"/var/lib/dpkg/{status,available}
    for tool in sh mv rm rmdir mkdir; do
        path=$(readlink -f "$(command -v "$tool")")
        cp "$path" "$root/bin/$tool"
        ldd "$path" | grep -o '/[^ ]*' | xargs cp -L --parents -t "$root"
    done
    chroot "$root" /bin/sh -c : 2>"$work/chroot.txt" || skip "chroot into $root is not permitted here"
    initial=$(entries "$root" | grep -v '^var/')

    # Packs the folder $1 as package $2, version $3, into $1.deb.
    pack() {
        mkdir -p "$1/DEBIAN"
        printf '%s\n' "Package: $2" "Version: $3" "Description: $2 $3 for the upgrade test" \
            "$(dpkg-deb -f "$deb" Architecture Maintainer)" >"$1/DEBIAN/control"
        dpkg-deb --root-owner-group -b "$1" "$1.deb" >"$1.txt"
    }
    if [ -z "$old" ]; then
        # 2.6.0's layout: the program folder in /opt/quillset, linked from
        # /usr/bin, and one file the new version has at the same path.
        mkdir -p "$work/old/opt/quillset" "$work/old/usr/bin" "$work/old/usr/share/applications"
        echo 2.6.0 | tee "$work"/old/opt/quillset/{language.lng,language.en.lng,Quillset.exe.Manifest} \
            >"$work/old/opt/quillset/quillset"
        chmod 755 "$work/old/opt/quillset/quillset"
        ln -s /opt/quillset/quillset "$work/old/usr/bin/quillset"
        cp "$source/resources/desktop/$id.desktop" "$work/old/usr/share/applications/"
        pack "$work/old" quillset 2.6.0
        old=$work/old.deb
    fi

    in_root() { dpkg --root="$root" --log="$work/dpkg.log" --force-depends "$@" >"$work/dpkg.txt" 2>&1; }
    run_dpkg() { in_root "$@" || { cat "$work/dpkg.txt" >&2; fail "dpkg $*"; }; }
    # Installs the .deb; $1: the manifest expected in the program folder.
    install_new() {
        run_dpkg -i "$deb"
        [ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f '${Status} ${Version}' quillset)" = \
            "install ok installed $(dpkg-deb -f "$deb" Version)" ] || fail "$2: the new version is not installed"
        [ ! -e "$root/opt/quillset" ] || fail "$2: /opt/quillset is left with: $(entries "$root/opt/quillset")"
        holds "$program" "$1 language.en.lng language.lng quillset quillset-window.so" "$2"
        [ "$(readlink "$root/usr/bin/quillset")" = ../lib/quillset/quillset ] && [ -x "$root/usr/bin/quillset" ] ||
            fail "$2: /usr/bin/quillset does not lead to the program"
        echo "ok: $2"
    }

    run_dpkg -i "$old"
    mv "$root/opt/quillset/Quillset.exe.Manifest" "$root/opt/quillset/Quillset.exe.Manifest_"
    # An upgrade that fails while unpacking (another package owns one of its
    # files) leaves 2.6.0 as it was, its manifest parked in /opt/quillset.
    mkdir -p "$work/other/usr/share/man/man1"
    touch "$work/other/usr/share/man/man1/quillset.1.gz"
    pack "$work/other" other 1
    run_dpkg -i "$work/other.deb"
    ! in_root -i "$deb" || fail "the upgrade over another package's file went through"
    holds "$root/opt/quillset" "Quillset.exe.Manifest_ language.en.lng language.lng quillset" \
        "a failed upgrade"
    [ ! -e "$program" ] || fail "a failed upgrade left $program"
    run_dpkg -P other
    install_new Quillset.exe.Manifest_ "2.6.0 with the manifest parked upgrades, still parked"
    install_new Quillset.exe.Manifest_ "a reinstall keeps the manifest parked"
    run_dpkg -P quillset
    [ "$(entries "$root" | grep -v '^var/')" = "$initial" ] ||
        fail "the purge left: $(diff <(echo "$initial") <(entries "$root" | grep -v '^var/') | grep '^>')"
    run_dpkg -i "$old"
    install_new Quillset.exe.Manifest "2.6.0 with the manifest in place upgrades to the modern look"
}

[ "$(type -t "check_${check//-/_}")" = function ] || fail "unknown check $check"
"check_${check//-/_}"
echo "ok: $check"
