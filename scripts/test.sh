#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# The fuzz targets replay their checked-in corpora first (clang build of the core).
bash scripts/fuzz.sh

# The Windows registry backend compiles with the mingw-w64 cross compiler.
bash scripts/check-windows-build.sh

cmake --preset dev
cmake --build --preset dev
export QT_QPA_PLATFORM=offscreen
ctest --preset dev --timeout 300

# The core and flow tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Left out: the fault sweep, whose preloaded
# libfiu wrappers cannot stand in front of ASan's own interceptors, and the packaging
# checks, which test the release layout rather than code.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan --parallel 2 --timeout 600 --label-exclude packaging --exclude-regex '^fault_sweep$'
