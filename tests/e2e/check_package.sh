#!/usr/bin/env bash
# The Debian package, for the tests:
#   check_package.sh make <cpack> <build folder> <output folder>
#       makes it with cpack -G DEB, as a user does in the build folder
#   check_package.sh check <output folder> <software centres' id> <source folder> <pages URL>
#       checks its control fields (and that this machine satisfies its
#       dependencies), its file list, the icons' sizes, the copyright file
#       against LICENSE, the screenshots the metainfo names, and validates
#       its menu entry and its metainfo file
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

out=$2 id=$3 source=$4 pages=$5
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
# What no library link shows: Qt's SVG icon engine (in Debian 12's libqt6svg6,
# Debian 13's qt6-svg-plugins), the hicolor theme, Qt's SQLite driver (the run
# history), and an icon theme.
groups=$(sed 's/, */\n/g' <<<"$depends")
grep -qxF 'qt6-svg-plugins | libqt6svg6 (<< 6.7~)' <<<"$groups" ||
    fail "Depends lacks Qt's SVG icon engine: $depends"
grep -qxF 'hicolor-icon-theme' <<<"$groups" || fail "Depends lacks hicolor-icon-theme: $depends"
grep -qxF 'libqt6sql6-sqlite' <<<"$groups" || fail "Depends lacks Qt's SQLite driver: $depends"
recommends=$(dpkg-deb -f "$deb" Recommends)
grep -q '\badwaita-icon-theme |' <<<"$recommends" ||
    fail "Recommends names no icon theme: $recommends"

# installed <package> [<operator> <version>]: installed here, in that version.
installed() {
    local version
    version=$(dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null) || return 1
    [[ $version == "install ok installed "* ]] || return 1
    [ -z "${2:-}" ] || dpkg --compare-versions "${version##* }" "$2" "$3"
}
# Every dependency is met on this machine (one alternative of each), so the
# package installs here as it is; the SVG engine's package holds Qt's plugin.
while IFS= read -r group; do
    met=""
    IFS='|' read -ra alternatives <<<"$group"
    for alternative in "${alternatives[@]}"; do
        read -r name relation <<<"${alternative//[()]/ }"
        read -r operator version <<<"$relation"
        if installed "$name" ${operator:+"${operator//<</lt}" "$version"}; then
            met=$name
            break
        fi
    done
    [ -n "$met" ] || fail "no alternative of '$group' is installed here"
    if [[ $group == *svg* ]]; then
        dpkg -L "$met" | grep -q '/qt6/plugins/iconengines/libqsvgicon\.so$' ||
            fail "$met holds no SVG icon engine"
    fi
done <<<"$groups"

# Every file and link, and nothing else (no tests, libraries or headers).
expected="./usr/bin/rimotime -> ../lib/rimotime/rimotime
./usr/lib/rimotime/rimotime
./usr/lib/rimotime/shutdown
./usr/share/applications/rimotime.desktop
./usr/share/doc/rimotime/copyright
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
metainfo=$share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "metainfo"
grep -qF '<project_license>MIT</project_license>' "$metainfo" || fail "metainfo: project licence"
grep -qF '<metadata_license>CC0-1.0</metadata_license>' "$metainfo" || fail "metainfo: its licence"
# The screenshots ship in the source tree's docs/, which the pages publish;
# each is a picture of at least the size the software centres ask for.
images=$(grep -o '<image[^>]*>[^<]*</image>' "$metainfo" | sed 's/<[^>]*>//g')
[ "$(wc -l <<<"$images")" -eq 2 ] || fail "metainfo: expected two screenshots: $images"
while IFS= read -r url; do
    [[ $url == "$pages/"* ]] || fail "screenshot $url is not under $pages"
    picture=$source/docs/${url#"$pages/"}
    size=$(file "$picture") || fail "screenshot $picture is missing"
    [[ $size =~ PNG\ image\ data,\ ([0-9]+)\ x\ ([0-9]+) ]] || fail "$picture is no PNG: $size"
    [ "${BASH_REMATCH[1]}" -ge 620 ] && [ "${BASH_REMATCH[2]}" -ge 350 ] ||
        fail "$picture is smaller than 620 x 350: $size"
done <<<"$images"

# The copyright file: Debian's machine-readable format, holding LICENSE's
# copyright line and, as the licence's text, the rest of LICENSE.
copyright=$root/usr/share/doc/rimotime/copyright
head -n 1 "$copyright" |
    grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright: not in the machine-readable format"
holders=$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
grep -qxF "Copyright: $holders" "$copyright" || fail "copyright: no line for $holders"
[[ $holders == [0-9][0-9][0-9][0-9]" RimoTimeInformation developers" ]] || fail "LICENSE: holders $holders"
head -n 1 "$source/LICENSE" | grep -qxF 'MIT License' || fail "LICENSE is not the MIT licence"
text=$(awk '/^License: Expat$/ { n++; next } n == 2 && /^ / { sub(/^ /, ""); print ($0 == "." ? "" : $0) }' "$copyright")
[ "$text" = "$(tail -n +5 "$source/LICENSE")" ] || {
    diff <(tail -n +5 "$source/LICENSE") <(echo "$text") >&2
    fail "copyright: the licence text differs from LICENSE"
}
echo "package $(basename "$deb"): fine"
