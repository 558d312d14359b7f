#include "i18n/Translations.h"
#include "EnglishScope.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(Translations, TheTestsRunInJapaneseAndASwitchToEnglishTranslatesEveryKindOfText) {
    ASSERT_EQ(Translations::Current(), UiLanguage::Japanese);
    const Message message = Translatable("rimo::FileIo", "ファイル %1 に書き込めません: %2")
                                .Arg("/tmp/a")
                                .Arg("No space left on device");
    EXPECT_EQ(Translations::Text(message),
              QStringLiteral("ファイル /tmp/a に書き込めません: No space left on device"));
    {
        EnglishScope english;
        EXPECT_EQ(Translations::Current(), UiLanguage::English);
        EXPECT_EQ(Translations::Text(message),
                  QStringLiteral("Cannot write the file /tmp/a: No space left on device"));
        EXPECT_EQ(QCoreApplication::translate("rimo::AboutPage", "RimoTimeInformation のアイコン"),
                  QStringLiteral("RimoTimeInformation icon"));
        EXPECT_EQ(Translations::Locale().language(), QLocale::English);
    }
    EXPECT_EQ(Translations::Current(), UiLanguage::Japanese);
    EXPECT_EQ(QCoreApplication::translate("rimo::AboutPage", "RimoTimeInformation のアイコン"),
              QStringLiteral("RimoTimeInformation のアイコン"));
    EXPECT_EQ(Translations::Locale().language(), QLocale::Japanese);
}

} // namespace
} // namespace rimo
