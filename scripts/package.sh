#!/usr/bin/env bash
# Builds the release program and packs it with CPack into build/packages/:
#   quillset-<version>-linux-<arch>.tar.gz  the portable program folder
#   quillset_<version>_<arch>.deb           for Debian 12: the program folder
#                                           in /usr/lib/quillset, the
#                                           /usr/bin/quillset link, manual
#                                           page, bash completion, desktop
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

# Debian's checker, when installed (scripts/install-deps.sh installs it):
# the package must draw no error and no warning.
if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error,warning "$out"/*.deb
fi
