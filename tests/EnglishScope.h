#pragma once

#include "i18n/Translations.h"

namespace rimo {

// The test binaries run the Japanese interface (the source texts); a test
// part that looks at the English one switches for its scope.
class EnglishScope {
public:
    EnglishScope() { Translations::Use(UiLanguage::English); }
    ~EnglishScope() { Translations::Use(UiLanguage::Japanese); }
    EnglishScope(const EnglishScope&) = delete;
    EnglishScope& operator=(const EnglishScope&) = delete;
};

} // namespace rimo
