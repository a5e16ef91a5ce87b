#!/usr/bin/env bash
# Builds the release program and packs it with CPack into build/packages/:
#   quillset-<version>-linux-<arch>.tar.gz  the portable program folder
#   quillset_<version>_<arch>.deb           for Debian 12: /opt/quillset, the
#                                           /usr/bin/quillset link, desktop
#                                           entry, icons and AppStream data
# Install the .deb with: sudo apt install ./build/packages/quillset_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

# QUILLSET_BUILD_DIR: pack that build folder's program as it is.
build=${QUILLSET_BUILD_DIR:-}
if [ -z "$build" ]; then
    bash scripts/install-deps.sh
    cmake --preset release
    cmake --build --preset release --target quillset
    build=build/release
fi

out=build/packages
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out"
rm -rf "$out/_CPack_Packages"
ls -l "$out"
