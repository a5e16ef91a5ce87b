#!/usr/bin/env bash
# Installs what is missing, builds Quillset and starts it on the bundled demo
# game folder (a copy in build/demo-game, so the original stays untouched).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release --target quillset

demo=build/demo-game
rm -rf "$demo"
mkdir -p "$demo"
cp resources/demo/settings.cfg "$demo/"
cp build/release/src/quillset build/release/src/quillset-window.so build/release/src/language.lng "$demo/"
cd "$demo"
exec ./quillset
