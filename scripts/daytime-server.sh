#!/usr/bin/env bash
# Serves the daytime protocol with openbsd-inetd's internal service, for the
# end-to-end tests of the clock synchronisation:
#   127.0.0.1:13  in the zone this script runs in;
#   127.0.0.2:13  on Japan time (TZ=JST-9): the service writes the plain ctime
#                 layout in its own zone, so the tests set the program's zone
#                 against a server whose zone they know;
#   127.0.0.3:13  St. John's (America/St_Johns, UTC-3:30, -2:30 in summer);
#   127.0.0.4:13  Kolkata (Asia/Kolkata, UTC+5:30);
#   127.0.0.5:13  Kathmandu (Asia/Kathmandu, UTC+5:45);
#   127.0.0.6:13  UTC-3:30 all year, half an hour off UTC-4;
#   127.0.0.7:13  UTC+10:30 all year (Lord Howe's standard time), half an
#                 hour ahead of Sydney's.
# An address where something answers already is left alone, so running the
# script again starts nothing more (at most these servers, loopback only).
set -euo pipefail

answers() {
    timeout 3 bash -c "exec 3<>/dev/tcp/$1/13 && head -c 64 <&3" >/dev/null 2>&1
}

# serve <address> <zone or empty>
serve() {
    local address=$1 zone=$2 conf
    if answers "$address"; then
        return 0
    fi
    if [ ! -x /usr/sbin/inetd ]; then
        echo "daytime server: /usr/sbin/inetd is missing (Debian package openbsd-inetd)" >&2
        return 1
    fi
    conf=$(mktemp "${TMPDIR:-/tmp}/rimotime-daytime.XXXXXX")
    printf '%s:daytime\tstream\ttcp\tnowait\troot\tinternal\n' "$address" >"$conf"
    # inetd reads the file at start and daemonizes; it serves until the machine stops.
    if [ -n "$zone" ]; then
        TZ=$zone /usr/sbin/inetd -R 1024 "$conf"
    else
        /usr/sbin/inetd -R 1024 "$conf"
    fi
    for _ in $(seq 50); do
        if answers "$address"; then
            return 0
        fi
        sleep 0.1
    done
    echo "daytime server: nothing answers on $address:13" >&2
    return 1
}

servers=(
    "127.0.0.1|"
    "127.0.0.2|JST-9"
    "127.0.0.3|America/St_Johns"
    "127.0.0.4|Asia/Kolkata"
    "127.0.0.5|Asia/Kathmandu"
    "127.0.0.6|<-0330>3:30"
    "127.0.0.7|<+1030>-10:30"
)
status=0
for server in "${servers[@]}"; do
    serve "${server%%|*}" "${server#*|}" || status=1
done
exit $status
