#!/usr/bin/env bash
# No folder of src/ includes a header of a folder beside or above it: io at
# the bottom; settings, lang, accounts, registry and shell on it; the game's
# files (its folder, the one read and write of settings.cfg) on those; the
# editor and the command line on that, apart from each other; the windows on
# top.
# Usage: include_layers.sh SRC_DIR
set -euo pipefail
declare -A layer=([io]=0 [settings]=1 [lang]=1 [accounts]=1 [registry]=1 [shell]=1 [game]=2
                  [editor]=3 [cli]=3 [ui]=4)
status=0
cd "$1"
for folder in "${!layer[@]}"; do
    while IFS=: read -r file header; do
        used=${header%%/*}
        if [ "$used" != "$folder" ] &&
            { [ -z "${layer[$used]+x}" ] || [ "${layer[$used]}" -ge "${layer[$folder]}" ]; }; then
            echo "$file includes $header, from a folder beside or above $folder" >&2
            status=1
        fi
    done < <(grep -roE '#include "[a-z_]+/[^"]+' "$folder" | sed 's/#include "//')
done
exit $status
