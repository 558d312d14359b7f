#!/usr/bin/env bash
# The link graph keeps Qt out of the core; includes are checked here as well,
# since Qt's include root would let "<QtWidgets/...>" through to lower layers.
set -u
layers=$1
status=0

# check <layer> <forbidden include pattern> <message>
check() {
    while read -r file; do
        [ -f "$file" ] || continue
        if grep -n -E "^\s*#\s*include\s*[<\"]($2)" "$file"; then
            echo "$3: $file"
            status=1
        fi
    done < "$layers/$1.txt"
}

check rimo_core 'Q[A-Za-z]|qt' "rimo_core must not include Qt"
check rimo_system 'QtWidgets/|Q(Widget|Dialog|MainWindow|MessageBox|Application|TableView|PushButton|Label|Menu|SystemTrayIcon)\b' \
    "rimo_system must not include Qt Widgets"
exit $status
