#!/usr/bin/env bash
# The link graph keeps Qt out of the core; includes are checked here as well,
# since Qt's include root would let "<QtWidgets/...>" through to lower layers.
set -u
layers=$1
# $2: the source folder, for the include direction of the subsystems
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

# The application folder sits on top: no subsystem includes it.
if [ -n "${2:-}" ]; then
    if grep -rn -E '^\s*#\s*include\s*"app/' "$2" --include='*.h' --include='*.cpp' \
        | grep -v -E "^$2/app/"; then
        echo "only src/app includes app/ headers"
        status=1
    fi
fi
exit $status
