#!/usr/bin/env bash
# No folder of src/ includes a header of a folder beside or above it: io at
# the bottom; settings, lang, accounts and shell on it; registry (where the
# game is, which knows what marks a game folder) on those; the game's files
# (its folder, the one read and write of settings.cfg) on that; the editor
# and the command line on those, apart from each other; the windows on top.
# Usage: include_layers.sh SRC_DIR
set -euo pipefail
declare -A layer=([io]=0 [settings]=1 [lang]=1 [accounts]=1 [shell]=1 [registry]=2 [game]=3
                  [editor]=4 [cli]=4 [ui]=5)
status=0
cd "$1"
while IFS=: read -r file header; do
    folder=${file%%/*} used=${header%%/*}
    # A folder missing from the table counts as above them all.
    if [ "$used" != "$folder" ] && [ "${layer[$used]:-99}" -ge "${layer[$folder]}" ]; then
        echo "$file includes $header, from a folder beside or above $folder" >&2
        status=1
    fi
done < <(grep -roE '#include "[a-z_]+/[^"]+' "${!layer[@]}" | sed 's/#include "//')
exit $status
