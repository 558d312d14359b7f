#include "i18n/LanguageChoice.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

constexpr UiLanguage J = UiLanguage::Japanese;
constexpr UiLanguage E = UiLanguage::English;

TEST(LanguageChoice, JapaneseUnderAJapaneseDesktopEnglishUnderEveryOther) {
    for (const char* desktop : {"ja", "ja-JP", "ja-Jpan-JP", "ja_JP.UTF-8", "ja_JP", "ja.UTF-8"}) {
        EXPECT_EQ(LanguageChoice::Choose("auto", desktop), J) << desktop;
    }
    for (const char* desktop : {"en-US", "en_GB.UTF-8", "C", "POSIX", "de-DE", "jam", ""}) {
        EXPECT_EQ(LanguageChoice::Choose("auto", desktop), E) << desktop;
    }
}

TEST(LanguageChoice, TheSettingWinsAndAnUnknownValueFollowsTheDesktop) {
    EXPECT_EQ(LanguageChoice::Choose("ja", "en-US"), J);
    EXPECT_EQ(LanguageChoice::Choose("en", "ja-JP"), E);
    EXPECT_EQ(LanguageChoice::Choose("", "ja-JP"), J);
    EXPECT_EQ(LanguageChoice::Choose("fr", "ja-JP"), J);
    EXPECT_EQ(LanguageChoice::Choose("EN", "ja-JP"), J);
}

} // namespace
} // namespace rimo
