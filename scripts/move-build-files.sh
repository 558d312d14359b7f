#!/usr/bin/env bash
# Earlier versions kept the user's files in the build folder, where a clean
# build deletes them; and files there would keep the program using that
# folder. Moves them to the folder the program uses otherwise:
# $XDG_CONFIG_HOME/RimoTimeInformation (default ~/.config/RimoTimeInformation).
# When that folder already holds files, the build folder's go into a
# subfolder "from-build-folder" there, so neither set is lost.
set -euo pipefail
build=$1

if [ ! -e "$build/rimotime.ini" ] && [ ! -e "$build/rimotime.dat" ]; then
    exit 0
fi
config=${XDG_CONFIG_HOME:-}
[ "${config:0:1}" = / ] || config=$HOME/.config
target=$config/RimoTimeInformation
if [ -e "$target/rimotime.ini" ] || [ -e "$target/rimotime.dat" ]; then
    target=$target/from-build-folder
fi
mkdir -p "$target"
for name in rimotime.ini rimotime.dat rimotime.log rimotime-desktop.ini \
    Launcher0.dat Launcher1.dat Launcher2.dat; do
    for file in "$build/$name" "$build/$name.broken"; do
        if [ -e "$file" ]; then
            mv -n "$file" "$target/"
        fi
    done
done
if [ -e "$build/rimotime.ini" ] || [ -e "$build/rimotime.dat" ]; then
    echo "warning: $target/ already holds files of that name: $build/ keeps its own" >&2
    exit 0
fi
echo "Your files from $build/ are now in $target/"
