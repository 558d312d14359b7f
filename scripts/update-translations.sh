#!/usr/bin/env bash
# Refreshes translations/rimotime_en.ts from the sources with lupdate: new
# source texts come in unfinished, texts no longer used leave. Translate the
# new ones in Qt Linguist (`linguist translations/rimotime_en.ts`, Debian's
# qt6-tools-dev-tools) or in the file itself, and mark them finished (remove
# type="unfinished"). The build compiles the file with lrelease.
#   scripts/update-translations.sh [TS FILE]   (default: translations/rimotime_en.ts)
set -euo pipefail
cd "$(dirname "$0")/.."
ts=${1:-translations/rimotime_en.ts}
lupdate=$(command -v lupdate || true)
[ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate is missing: run scripts/setup.sh (qt6-l10n-tools)" >&2; exit 1; }
# Translatable() is the Qt-free core's QT_TRANSLATE_NOOP (core/Message.h);
# Translations::Translate() is translate() for code that runs before the
# application object exists (i18n/Translations.h).
"$lupdate" -silent -no-obsolete -locations none -extensions cpp,h \
    -tr-function-alias QT_TRANSLATE_NOOP+=Translatable,translate+=Translate \
    -source-language ja_JP -target-language en \
    src companion -ts "$ts"
