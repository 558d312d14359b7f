#!/usr/bin/env bash
# Serves the daytime protocol on 127.0.0.1:13 with openbsd-inetd's internal
# service, for the end-to-end test of the clock synchronisation. Does nothing
# when something already answers there; safe to run again and again.
set -euo pipefail

answers() {
    timeout 3 bash -c 'exec 3<>/dev/tcp/127.0.0.1/13 && head -c 64 <&3' >/dev/null 2>&1
}

if answers; then
    exit 0
fi
if [ ! -x /usr/sbin/inetd ]; then
    echo "daytime server: /usr/sbin/inetd is missing (Debian package openbsd-inetd)" >&2
    exit 1
fi
conf=$(mktemp "${TMPDIR:-/tmp}/rimotime-daytime.XXXXXX")
printf '127.0.0.1:daytime\tstream\ttcp\tnowait\troot\tinternal\n' >"$conf"
# inetd reads the file at start and daemonizes; it serves until the machine stops.
/usr/sbin/inetd -R 1024 "$conf"
for _ in $(seq 50); do
    if answers; then
        exit 0
    fi
    sleep 0.1
done
echo "daytime server: nothing answers on 127.0.0.1:13" >&2
exit 1
