#!/usr/bin/env bash
# Makes the screenshots the software centres show (docs/screenshots/, named
# by the metainfo file): the real program from a build folder, on an X
# server of its own with a tray, with a small sample schedule.
#   scripts/make-screenshots.sh [build folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$PWD/docs/screenshots
[ -x "$build/rimotime" ] || { echo "no program in $build: build it first" >&2; exit 1; }
./scripts/setup.sh imagemagick

work=$(mktemp -d)
pids=()
cleanup() { # the last started first: the X server goes last
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/program" "$work/home" "$work/runtime" "$out"
chmod 700 "$work/runtime"
cp "$build/rimotime" "$work/program/"

# The schedule file: the column and row counts, then every cell column by
# column (the header row first), in CP932 with CR LF.
day() { # <days from today> -> "yyyy/mm/dd/<day name>"
    local names=(日 月 火 水 木 金 土)
    echo "$(date -d "+$1 day" +%Y/%m/%d)/${names[$(date -d "+$1 day" +%w)]}"
}
rows=(
    "朝会|月～金|$(day 1)|09:00:00|メッセージ|朝会です。H:M から会議室Aで|しない|○"
    "時刻合わせ|毎日|$(day 1)|12:00:00|時刻合わせ||しない|○"
    "休憩|毎時|$(day 1)|10:50:00|警告音||しない|○"
    "バックアップ|毎週|$(day 5)|18:30:00|起動|\"/usr/bin/deja-dup\" --backup|しない|○"
    "壁紙|毎月|$(day 20)|08:00:00|壁紙変更||しない|×"
    "リリース||$(day 9)|17:00:00|ランチャー|仕事|する|○"
)
header="タイトル|繰り返し|日付指定|時刻指定|動作指定|メッセージ(起動パス)|削除|有効"
{
    echo 8
    echo $((${#rows[@]} + 1))
    for column in 1 2 3 4 5 6 7 8; do
        for row in "$header" "${rows[@]}"; do
            cut -d '|' -f "$column" <<<"$row"
        done
    done
} | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$work/program/rimotime.dat"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
trayer --edge top --align right --widthtype request --height 32 --SetDockType false &
pids+=($!)

# shot <page index> <file>: the main window on that page.
shot() {
    printf '[Position]\r\nLeft=40\r\nTop=60\r\n\r\n[Setting]\r\nServer=time.nist.gov\r\nTimer=0:25:00\r\nTabIndex=%s\r\n' \
        "$1" | iconv -f UTF-8 -t CP932 >"$work/program/rimotime.ini"
    "$work/program/rimotime" &
    local program=$! window=""
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --class rimotime 2>/dev/null); do
            if xdotool getwindowgeometry "$id" | grep -q 'Geometry: 700x500'; then
                window=$id
            fi
        done
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "the main window did not show" >&2; exit 1; }
    sleep 2 # painted, and the title has its first text
    import -window "$window" "$out/$2"
    kill -TERM "$program"
    wait "$program" || true
}
shot 0 main.png
shot 1 timer.png
file "$out"/*.png
