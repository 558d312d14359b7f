#!/usr/bin/env bash
# The Debian package, for the tests:
#   check_package.sh make <cpack> <build folder> <output folder>
#       makes it with cpack -G DEB, as a user does in the build folder
#   check_package.sh check <output folder> <software centres' id>
#       checks its control fields, its file list, the icons' sizes, and
#       validates its menu entry and its metainfo file
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "$1" = make ]; then
    cpack=$2 build=$3 out=$(realpath -m "$4")
    rm -rf "$out"
    cd "$build"
    "$cpack" -G DEB -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; fail "cpack"; }
    ls "$out"/*.deb
    exit 0
fi

out=$2 id=$3
shopt -s nullglob
debs=("$out"/*.deb)
[ "${#debs[@]}" -eq 1 ] || fail "expected one package in $out, found ${#debs[@]}"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = rimotime ] || fail "package name"
# The shared-library scan found the program's libraries.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6dbus6 libcanberra0; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done

# Every file and link, and nothing else (no tests, libraries or headers).
expected="./usr/bin/rimotime -> ../lib/rimotime/rimotime
./usr/lib/rimotime/rimotime
./usr/lib/rimotime/shutdown
./usr/share/applications/rimotime.desktop
./usr/share/doc/rimotime/help.html"
for size in 128 16 22 24 32 48 64; do
    expected+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/rimotime.png"
done
expected+=$'\n'"./usr/share/metainfo/$id.metainfo.xml"
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' <<<"$listing" |
    LC_ALL=C sort)
[ "$files" = "$(LC_ALL=C sort <<<"$expected")" ] || {
    diff <(LC_ALL=C sort <<<"$expected") <(echo "$files") >&2
    fail "file list"
}
for program in rimotime shutdown; do
    grep -Eq "^-rwxr-xr-x .* \./usr/lib/rimotime/$program$" <<<"$listing" ||
        fail "$program is not an executable file"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for size in 16 22 24 32 48 64 128; do
    file "$share/icons/hicolor/${size}x${size}/apps/rimotime.png" |
        grep -q "PNG image data, $size x $size," || fail "icon of size $size"
done
desktop-file-validate "$share/applications/rimotime.desktop" || fail "desktop entry"
grep -q '^Categories=Utility;Clock;$' "$share/applications/rimotime.desktop" ||
    fail "desktop entry categories"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "metainfo"
echo "package $(basename "$deb"): fine"
