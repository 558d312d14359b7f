#!/usr/bin/env bash
# Wake-ups per second of the real program in a tray: the program runs on an
# X server of its own (Xvfb) and a session bus of its own, in a temporary
# home, with the tests' StatusNotifierWatcher or with trayer (an XEmbed
# tray); its threads' context switches (voluntary and not) are counted from
# /proc over a while. Nothing is due in the schedule.
#
#   bench/wakeups.sh [executable] [seconds]
# Prints one line per case.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath "${1:-build/rimotime}")
seconds=${2:-30}

if [ -z "${DBUS_SESSION_BUS_ADDRESS_FOR_WAKEUPS:-}" ]; then
    exec env DBUS_SESSION_BUS_ADDRESS_FOR_WAKEUPS=1 dbus-run-session -- "$0" "$exe" "$seconds"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(cat "$work/display")"

# Context switches (voluntary and not) of each thread of a process, as
# "tid count" lines.
thread_switches() {
    for status in /proc/"$1"/task/*/status; do
        awk -v t="${status%/status}" '/ctxt_switches/ { n += $2 }
            END { sub(".*/", "", t); print t, n + 0 }' "$status" 2>/dev/null || true
    done
}

# Switches over <seconds>, sampled every second so that a thread that ends
# meanwhile keeps what it did; a thread that starts counts from zero.
count_switches() { # <pid> <seconds>
    declare -A base last
    local tid n
    while read -r tid n; do base[$tid]=$n; last[$tid]=$n; done < <(thread_switches "$1")
    for _ in $(seq "$2"); do
        sleep 1
        while read -r tid n; do
            [ -n "${base[$tid]+x}" ] || base[$tid]=0
            last[$tid]=$n
        done < <(thread_switches "$1")
    done
    local total=0
    for tid in "${!last[@]}"; do total=$((total + last[$tid] - base[$tid])); done
    echo "$total"
}

start_watcher() {
    /usr/bin/python3 -m dbusmock --template tests/data/sni_watcher.py >/dev/null 2>&1 &
    watcher=$!
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null |
            grep -q true && break
        sleep 0.1
    done
}

start_trayer() {
    DISPLAY="$display" trayer --edge top --align right --widthtype pixel --width 200 \
        >/dev/null 2>&1 &
    watcher=$!
    sleep 2
}

measure() { # <label> <tray: sni|trayer> <settings lines>
    local label=$1 tray=$2
    shift 2
    if [ "$tray" = trayer ]; then start_trayer; else start_watcher; fi
    local home="$work/home-$tray-${label// /-}"
    local run="$work/run-$tray-${label// /-}"
    mkdir -p "$home/.config/RimoTimeInformation" "$run"
    chmod 700 "$run"
    { echo '[Setting]'; printf '%s\n' "$@"; } | sed 's/$/\r/' \
        >"$home/.config/RimoTimeInformation/rimotime.ini"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$run" \
        DISPLAY="$display" QT_QPA_PLATFORM=xcb "$exe" 2>/dev/null &
    local pid=$!
    sleep 5 # start-up settles
    local registered
    if [ "$tray" = trayer ]; then
        # The icon is embedded in trayer's window: a child of it on the X server.
        registered=$(DISPLAY="$display" xwininfo -root -tree 2>/dev/null |
            grep -c -i 'rimotime\|RimoTime' || true)
    else
        registered=$(dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
            /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
            string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems |
            grep -c 'string "' || true)
    fi
    local switches
    switches=$(count_switches "$pid" "$seconds")
    # A program that ended meanwhile would count as silent.
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "$label ($tray): the program ended during the measurement" >&2
        exit 1
    fi
    kill "$pid" "$watcher"
    wait "$pid" "$watcher" 2>/dev/null || true
    awk -v l="$label ($tray)" -v n="$switches" -v s="$seconds" -v r="$registered" \
        'BEGIN { printf "%-58s %6.2f wake-ups/s (tray windows or items: %d)\n", l, n / s, r }'
}

# Hidden in the tray (no taskbar entry, hidden one second after the start).
hidden=(TaskBar=1 CMShowing=1)
measure "hidden, animation and scrolling off" trayer "${hidden[@]}" AnimeIcon=0 Scroll=0
measure "hidden, animation and scrolling off" sni "${hidden[@]}" AnimeIcon=0 Scroll=0
measure "hidden, animation on" trayer "${hidden[@]}" AnimeIcon=1 Scroll=0
measure "shown, animation off, scrolling off" sni CMShowing=0 AnimeIcon=0 Scroll=0
measure "shown, animation on, scrolling on" sni CMShowing=0 AnimeIcon=1 Scroll=1
