#!/usr/bin/env bash
# Serves the daytime protocol with openbsd-inetd's internal service, for the
# end-to-end tests of the clock synchronisation:
#   127.0.0.1:13  in the zone this script runs in;
#   127.0.0.2:13  on Japan time (TZ=JST-9): the service writes the plain ctime
#                 layout in its own zone, so the tests set the program's zone
#                 against a server whose zone they know.
# An address where something answers already is left alone, so running the
# script again starts nothing more (at most these two servers, loopback only).
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

if ! answers 127.0.0.1 || ! answers 127.0.0.2; then
    if [ ! -x /usr/sbin/inetd ]; then
        echo "daytime server: /usr/sbin/inetd is missing (Debian package openbsd-inetd)" >&2
        exit 1
    fi
fi
status=0
serve 127.0.0.1 "" || status=1
serve 127.0.0.2 JST-9 || status=1
exit $status
