#include "i18n/LanguageChoice.h"

namespace rimo {

UiLanguage LanguageChoice::Choose(std::string_view setting, std::string_view desktopLanguage) {
    if (setting == kJapanese) {
        return UiLanguage::Japanese;
    }
    if (setting == kEnglish) {
        return UiLanguage::English;
    }
    const bool japanese =
        desktopLanguage.starts_with("ja") &&
        (desktopLanguage.size() == 2 || desktopLanguage[2] == '-' || desktopLanguage[2] == '_' ||
         desktopLanguage[2] == '.' || desktopLanguage[2] == '@');
    return japanese ? UiLanguage::Japanese : UiLanguage::English;
}

} // namespace rimo
