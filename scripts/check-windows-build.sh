#!/usr/bin/env bash
# Compiles the registry, shell and game sources with the mingw-w64 cross compiler,
# against the Qt headers of this machine, to catch errors in code that a Linux
# build never compiles (the Windows backends: registry and process table). Warnings in our code are errors; the Qt
# headers, configured for Linux, are taken as system headers. Nothing is
# linked: there are no Windows Qt libraries here.
#
# Needs Debian's g++-mingw-w64-x86-64 (and i686 for the 32-bit check, when
# installed). Exits 0 with a notice when no cross compiler is installed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
qt_include="${QT_INCLUDE_DIR:-/usr/include/x86_64-linux-gnu/qt6}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# Everything a Windows build of the registry and the shell compiles: the
# Windows backends, the factories that pick them, and the portable sources
# beside them; and the game's files with the folder lock, whose Linux parts
# are kept out there. The /proc process table is left out there
# (shell/sources.cmake).
sources=("src/registry/"*.cpp src/game/*.cpp src/io/folder_lock.cpp)
for source in src/shell/*.cpp; do
    [[ "$source" == *proc_process_table.cpp ]] || sources+=("$source")
done

compilers=()
for candidate in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++ \
                 i686-w64-mingw32-g++-posix i686-w64-mingw32-g++; do
    if command -v "$candidate" >/dev/null 2>&1; then
        # One compiler per target is enough.
        target="${candidate%%-g++*}"
        if [[ " ${compilers[*]-} " != *" $target"* ]]; then
            compilers+=("$candidate")
        fi
    fi
done
if [[ ${#compilers[@]} -eq 0 ]]; then
    echo "check-windows-build: no mingw-w64 cross compiler installed (apt-get install g++-mingw-w64-x86-64); skipped"
    exit 0
fi

status=0
for cxx in "${compilers[@]}"; do
    for source in "${sources[@]}"; do
        object="$out/$(basename "$source").$cxx.o"
        if "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror \
            -I"$root/src" -isystem "$qt_include" -isystem "$qt_include/QtCore" \
            -c "$root/$source" -o "$object"; then
            # A Windows backend must really be in the object, not hidden by
            # its guard, and call the Windows entry points it is built on.
            symbols="$("${cxx%g++*}nm" -C "$object")"
            if { [[ "$source" == *windows_registry.cpp ]] &&
                 { ! grep -q 'WindowsRegistry::queryValue' <<<"$symbols" ||
                   ! grep -q 'RegQueryValueExA' <<<"$symbols"; }; } ||
               { [[ "$source" == *windows_process_table.cpp ]] &&
                 { ! grep -q 'WindowsProcessTable::processes' <<<"$symbols" ||
                   ! grep -q 'CreateToolhelp32Snapshot' <<<"$symbols" ||
                   ! grep -q 'QueryFullProcessImageNameW' <<<"$symbols"; }; }; then
                echo "FAIL ($cxx): $source compiled to an empty object" >&2
                status=1
            else
                echo "ok   ($cxx): $source"
            fi
        else
            echo "FAIL ($cxx): $source" >&2
            status=1
        fi
    done
done
exit $status
