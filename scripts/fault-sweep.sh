#!/usr/bin/env bash
# Fails, one at a time, every file-system call that each save path makes
# (open, write(v), pwrite(v), fsync, fdatasync, ftruncate, close, rename,
# unlink) with EIO and with ENOSPC, and kills the process at each of them,
# then checks what is left on disk. Linux only (libfiu's preloaded POSIX
# wrappers, fault/).
#   bash scripts/fault-sweep.sh    # every call of every save path
# Prints the calls of each save and every violation (also in
# build/faults/fault-sweep.md); exits 1 when a file was lost or truncated, a
# failure was reported as success, the old file changed after a reported
# failure, a saved file got the wrong mode, or a copy of the CD keys was left
# readable by others.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/faults
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLSET_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fault_driver
"$build/fault/fault_driver" "$@" | tee "$build/fault-sweep.md"
