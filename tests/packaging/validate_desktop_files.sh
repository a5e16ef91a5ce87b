#!/usr/bin/env bash
# Checks one part of the desktop integration in resources/desktop:
#   desktop-entry  the .desktop file passes desktop-file-validate, and its
#                  command starts the program on the PATH in
#                  $XDG_STATE_HOME/quillset (by default ~/.local/state/quillset)
#   metainfo       the AppStream file passes appstreamcli validate (offline)
#                  and names this version and the desktop entry
# Exits 77 (skipped) when the validator is not installed.
set -euo pipefail

check=$1 desktop=$2 version=$3 id=org.example.quillset

fail() { echo "FAIL: $*" >&2; exit 1; }
need() {
    [ -n "$(command -v "$1")" ] || { echo "SKIP: $1 is not installed (Debian package $2)"; exit 77; }
}

case "$check" in
desktop-entry)
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$desktop/$id.desktop" || fail "desktop-file-validate"
    # The command as a desktop runs it: the file's own escapes (\\ for a
    # backslash) undone, then split into arguments by the Exec quoting rules,
    # which inside double quotes are the shell's.
    exec_line=$(sed -n 's/^Exec=//p' "$desktop/$id.desktop" | sed 's/\\\\/\\/g')
    eval "set -- $exec_line"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/bin" "$work/home"
    printf '#!/bin/sh\npwd >"%s/started-in"\n' "$work" >"$work/bin/quillset"
    chmod +x "$work/bin/quillset"
    for state in "" "$work/state"; do
        (cd / && env -u XDG_STATE_HOME HOME="$work/home" PATH="$work/bin:$PATH" \
            ${state:+XDG_STATE_HOME="$state"} "$@") || fail "the entry's command failed"
        started=$(cat "$work/started-in" 2>/dev/null; rm -f "$work/started-in")
        [ "$started" = "${state:-$work/home/.local/state}/quillset" ] ||
            fail "the entry started quillset in '$started'"
    done
    ;;
metainfo)
    need appstreamcli appstream
    appstreamcli validate --no-net --pedantic "$desktop/$id.metainfo.xml" || fail "appstreamcli validate"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$desktop/$id.metainfo.xml" ||
        fail "the metainfo must launch $id.desktop"
    grep -q "<release version=\"$version\"" "$desktop/$id.metainfo.xml" ||
        fail "the metainfo has no release entry for version $version"
    ;;
*) fail "unknown check $check" ;;
esac
echo "ok: $check"
