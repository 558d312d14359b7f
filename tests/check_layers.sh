#!/usr/bin/env bash
# The link graph keeps Qt out of the core; includes are checked here as well,
# since Qt's include root would let "<QtWidgets/...>" through to lower layers.
set -u
layers=$1
status=0
while read -r file; do
    [ -f "$file" ] || continue
    if grep -n -E '^\s*#\s*include\s*[<"](Q[A-Za-z]|qt)' "$file"; then
        echo "rimo_core must not include Qt: $file"
        status=1
    fi
done < "$layers/rimo_core.txt"
while read -r file; do
    [ -f "$file" ] || continue
    if grep -n -E '^\s*#\s*include\s*[<"](QtWidgets/|Q(Widget|Dialog|MainWindow|MessageBox|Application|TableView|PushButton|Label|Menu|SystemTrayIcon)\b)' "$file"; then
        echo "rimo_system must not include Qt Widgets: $file"
        status=1
    fi
done < "$layers/rimo_system.txt"
exit $status
