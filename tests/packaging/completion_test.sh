#!/usr/bin/env bash
# The bash completion in resources/cli:
#   - its key line names every key of the catalogue but the held ones
#     (FONTPAGES and the CD keys, which set refuses), in the catalogue's order;
#   - it completes the commands, the options, the keys after get and set,
#     a file after apply and a folder after --prefix and --game-folder.
# Usage: completion_test.sh SOURCE_DIR
set -euo pipefail

source_dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

keys=$(grep -oE '^ +[a-zA-Z]+[({]"[A-Z0-9_]+"' "$source_dir/src/settings/key_catalogue.h" | sed -E 's/.*"(.*)"/\1/')
count=$(grep -oE 'kKeyCount = [0-9]+' "$source_dir/src/settings/key_catalogue.h" | grep -oE '[0-9]+$')
[ "$(wc -l <<<"$keys")" -eq "$count" ] || fail "read $(wc -l <<<"$keys") keys from the catalogue, not its $count"
catalogue=$(grep -vxE 'FONTPAGES|NETWORK_CDKEY2?' <<<"$keys" | xargs)
# shellcheck source=/dev/null
source "$source_dir/resources/cli/quillset.bash-completion"
[ "$_quillset_keys" = "$catalogue" ] ||
    fail "the completion's keys differ from the catalogue's: $(diff <(tr ' ' '\n' <<<"$_quillset_keys") <(tr ' ' '\n' <<<"$catalogue") | grep '^[<>]' | xargs)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/korrin" "$work/kq"
touch "$work/low.cfg"
cd "$work"

# compopt works only while bash completes a line; here its options are moot.
compopt() { :; }
# The words of a command line as bash splits them (at "=" too), the last one
# being completed, then "::" and the expected completions, sorted.
expect() {
    local words=()
    while [ "$1" != "::" ]; do words+=("$1"); shift; done
    shift
    COMP_WORDS=("${words[@]}") COMP_CWORD=$((${#words[@]} - 1))
    _quillset || true # errexit is off inside it, as it was written for an interactive shell
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | xargs)
    [ "$got" = "$*" ] || fail "[${words[*]}] completes to [$got], not [$*]"
}
expect quillset "" :: apply get set where
expect quillset - :: --game-folder --help --prefix --version
expect quillset --prefix k :: korrin kq
expect quillset --game-folder = ko :: korrin
expect quillset --prefix korrin a :: apply
expect quillset get --j :: --json
expect quillset where "" ::
expect quillset get FULL :: FULLSCREEN
expect quillset set SOUNDQ :: SOUNDQUALITY=
expect quillset set SOUND = ::
expect quillset set SOUND = 1 NIGHT :: NIGHT_DARKNESS=
expect quillset set NETWORK_CDK :: NETWORK_CDKEY_HIDE=
expect quillset set --f :: --force
expect quillset apply l :: low.cfg
expect quillset apply low.cfg "" ::
echo "ok: the completion's keys match the catalogue, and it completes commands, options, keys, files and folders"
