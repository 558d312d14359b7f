#pragma once

#include "core/Message.h"
#include "i18n/LanguageChoice.h"

#include <QLocale>
#include <QString>

#include <string_view>

namespace rimo {

// The interface's language. Source texts are Japanese, so Japanese needs no
// translation of ours; English is compiled in (translations/rimotime_en.ts).
// Under Japanese, Qt's own translation (qtbase_ja, from the system's Qt
// translations when installed) puts the standard buttons and dialogs into
// Japanese; without it they stay English.
class Translations {
public:
    // Loads the language's translations (no application object is needed,
    // for --help) and installs them into the running application in place of
    // those of an earlier call.
    static void Use(UiLanguage language);
    static UiLanguage Current();
    // What the setting "Language" and the desktop ask for.
    static UiLanguage Wanted(std::string_view setting);

    // A source text in the interface's language, also before the application exists.
    static QString Translate(const char* context, const char* source);
    // A message of the core in the interface's language.
    static QString Text(const Message& message);
    // The locale of the dates and calendars the interface shows.
    static QLocale Locale();
    // Whether Qt's own translation is in use (Japanese, when the system has it).
    static bool HasQtTranslation();
};

} // namespace rimo
