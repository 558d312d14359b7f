#!/usr/bin/env bash
# scripts/move-build-files.sh: the user's files leave the build folder and
# nothing is overwritten.
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir -p "$work/build" "$HOME"
echo schedule >"$work/build/rimotime.dat"
echo page >"$work/build/Launcher1.dat"
echo program >"$work/build/rimotime"
"$script" "$work/build" >/dev/null
config=$HOME/.config/RimoTimeInformation
[ "$(cat "$config/rimotime.dat")" = schedule ] || fail "schedule not moved"
[ "$(cat "$config/Launcher1.dat")" = page ] || fail "launcher page not moved"
[ ! -e "$work/build/rimotime.dat" ] && [ -e "$work/build/rimotime" ] || fail "build folder"

# The configuration folder has files already: both sets are kept.
echo older >"$work/build/rimotime.ini"
"$script" "$work/build" >/dev/null
[ "$(cat "$config/from-build-folder/rimotime.ini")" = older ] || fail "second set"
[ "$(cat "$config/rimotime.dat")" = schedule ] || fail "first set overwritten"
[ ! -e "$work/build/rimotime.ini" ] || fail "build folder keeps the second set"
echo "move-build-files: fine"
