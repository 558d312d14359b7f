#pragma once

#include <string_view>

namespace rimo {

// The language of the interface. Stored data never changes with it.
enum class UiLanguage { Japanese, English };

// The setting "Language" of section "Setting": "auto" (also a missing or
// unknown value) follows the desktop, "ja" and "en" choose.
struct LanguageChoice {
    static constexpr const char* kAuto = "auto";
    static constexpr const char* kJapanese = "ja";
    static constexpr const char* kEnglish = "en";

    // `desktopLanguage` is the desktop's first interface language as a
    // BCP 47 tag or locale name ("ja-JP", "ja_JP.UTF-8", "en-US", "C"):
    // Japanese for any "ja" one, English for every other.
    static UiLanguage Choose(std::string_view setting, std::string_view desktopLanguage);
};

} // namespace rimo
