#include "core/Message.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace rimo {
namespace {

TEST(Message, ArgumentsGoIntoTheirPlacesInOnePass) {
    EXPECT_EQ(Message::Substitute("%2 は %1 です", {"a", "b"}), "b は a です");
    // An argument's own "%1" is not replaced again; a missing one stays.
    EXPECT_EQ(Message::Substitute("%1 (%2) %3", {"100%1", "x"}), "100%1 (x) %3");
    EXPECT_EQ(Message::Substitute("%11 of %1", {"a", "", "", "", "", "", "", "", "", "", "k"}),
              "k of a");
    EXPECT_EQ(Message::Substitute("50% %", {"a"}), "50% %");
}

TEST(Message, TheSourceTextAndATranslationOfTheSameMessage) {
    Message reason("Folder", "フォルダーではありません");
    const Message message =
        Translatable("Folder", "フォルダー %1 は%2").Arg("/tmp/x").Arg(std::move(reason));
    EXPECT_EQ(message.Text(), "フォルダー /tmp/x はフォルダーではありません");
    const std::map<std::string, std::string> english{
        {"フォルダー %1 は%2", "The folder %1 %2"},
        {"フォルダーではありません", "is not a folder"}};
    const auto translate = [&](const char* context, const char* source) {
        EXPECT_STREQ(context, "Folder");
        return english.at(source);
    };
    EXPECT_EQ(message.Render(translate), "The folder /tmp/x is not a folder");
    // Plain texts and numbers stay as they are.
    EXPECT_EQ(Message::Plain("No such file").Render(translate), "No such file");
    EXPECT_EQ(Translatable("Folder", "%1 回").Arg(3).Text(), "3 回");
    EXPECT_TRUE(Message().IsEmpty());
}

} // namespace
} // namespace rimo
