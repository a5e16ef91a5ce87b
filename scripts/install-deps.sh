#!/usr/bin/env bash
# Installs the Debian 12 packages Quillset needs to build, test and run.
# Only missing packages are installed; run as root (or with sudo available).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libfiu-dev              # fails chosen system calls for the fault sweep
    xvfb xauth imagemagick  # screenshots of the windows
    fonts-dejavu-core fonts-liberation  # the windows' font, metric-compatible with Arial
    clang libclang-rt-14-dev  # libFuzzer targets, replayed as regression tests
    g++-mingw-w64-x86-64      # checks that the Windows backends (registry, processes) compile
    dpkg-dev                  # the .deb: dpkg-shlibdeps works out its Depends
    lintian                   # Debian's checker of the .deb, run by a packaging test
    desktop-file-utils appstream  # validate the desktop entry and the metainfo
    librsvg2-bin              # renders the icon's PNG sizes from its SVG
    libyaml-cpp-dev           # reads the game files of the Lutris launcher
    hyperfine                 # times the commands for docs/PERFORMANCE.md
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
