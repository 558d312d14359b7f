#include "app/TrayTexts.h"

#include "core/TextCodec.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

ScheduleRow Row(std::string title, std::string enabled = "○") {
    return {std::move(title), "毎日", "2002/08/22/木", "07:00:00",
            "警告音",         "",     "しない",        std::move(enabled)};
}

TEST(TrayTexts, NamesTheNextEnabledEvent) {
    const ScheduleRow wakeUp = Row("起床");
    EXPECT_EQ(TrayTexts::Tip(true, &wakeUp), "次は 起床 2002/08/22/木07:00:00");
    EXPECT_EQ(TrayTexts::RefreshedTitle(true, &wakeUp), "次は 起床 2002/08/22/木07:00:00     ");
}

TEST(TrayTexts, ShowsTheProductWithoutANextEvent) {
    const ScheduleRow disabled = Row("起床", "×");
    const ScheduleRow enabled = Row("起床");
    for (const auto& [hint, row] : {std::pair{true, &disabled}, std::pair{false, &enabled},
                                    std::pair<bool, const ScheduleRow*>{true, nullptr}}) {
        EXPECT_EQ(TrayTexts::Tip(hint, row), "RimoTimeInfomation");
        EXPECT_EQ(TrayTexts::RefreshedTitle(hint, row), "RimoTimeInformation     ");
    }
    // An empty enabled cell is not enabled either.
    const ScheduleRow empty = Row("起床", "");
    EXPECT_EQ(TrayTexts::Tip(true, &empty), "RimoTimeInfomation");
}

TEST(TrayTexts, TheTipIsCutAtACharacterBoundary) {
    // "次は " takes 5 bytes and the 19 ASCII letters 19: the 20th double-byte
    // character would take bytes 63 and 64, so the tip ends before it.
    std::string kanji;
    for (int i = 0; i < 20; ++i) {
        kanji += "予";
    }
    const ScheduleRow row = Row(std::string(19, 'a') + kanji);
    const std::string tip = TrayTexts::Tip(true, &row);
    EXPECT_EQ(Cp932Length(tip), 62u);
    EXPECT_TRUE(IsValidUtf8(tip));
    EXPECT_EQ(tip, "次は " + std::string(19, 'a') + kanji.substr(0, 19 * 3));

    // Exactly 63 bytes fit whole; half-width katakana take one byte each.
    EXPECT_EQ(TrayTexts::CutToCp932Bytes(std::string(70, 'x'), 63), std::string(63, 'x'));
    EXPECT_EQ(TrayTexts::CutToCp932Bytes("ｶﾀｶﾅ", 3), "ｶﾀｶ");
    EXPECT_EQ(TrayTexts::CutToCp932Bytes("漢字", 3), "漢");
    EXPECT_EQ(TrayTexts::CutToCp932Bytes("漢字", 1), "");
    // A character CP932 lacks counts as two bytes and is never split either.
    EXPECT_EQ(TrayTexts::CutToCp932Bytes("a😀b", 2), "a");
    EXPECT_EQ(TrayTexts::CutToCp932Bytes("a😀b", 3), "a😀");
    // The title of the tip is not cut below the limit.
    const ScheduleRow shortRow = Row("起床");
    EXPECT_EQ(TrayTexts::Tip(true, &shortRow).size(),
              std::string("次は 起床 2002/08/22/木07:00:00").size());
}

TEST(TrayTexts, TheTitleScrollsByWholeCharacters) {
    EXPECT_EQ(TrayTexts::RotateLeft("起床 07"), "床 07起");
    EXPECT_EQ(TrayTexts::RotateLeft("ab"), "ba");
    EXPECT_EQ(TrayTexts::RotateLeft("ｶa"), "aｶ");
    EXPECT_EQ(TrayTexts::RotateLeft("😀x"), "x😀");
    EXPECT_EQ(TrayTexts::RotateLeft(""), "");
    // A byte that starts no character moves alone, and so does a cut-off sequence.
    EXPECT_EQ(TrayTexts::RotateLeft("\xffz"), "z\xff");
    EXPECT_EQ(TrayTexts::RotateLeft("\xe8\xb5z"), "\xb5z\xe8");

    // A full turn of as many steps as characters gives the text back, and
    // every step in between is valid text.
    const std::string title = "次は 起床 2002/08/22/木07:00:00     ";
    std::string text = title;
    int steps = 0;
    do {
        text = TrayTexts::RotateLeft(text);
        ASSERT_TRUE(IsValidUtf8(text)) << steps;
        ++steps;
    } while (text != title && steps < 100);
    EXPECT_EQ(steps, 31); // characters, not bytes
}

TEST(TrayTexts, MenuCaptions) {
    EXPECT_EQ(TrayTexts::QuickCaption(EncodeTime(0, 3, 0)), "3分 (&V)");
    EXPECT_EQ(TrayTexts::QuickCaption(EncodeTime(1, 30, 0)), "1時間 30分 (&V)");
    EXPECT_EQ(TrayTexts::QuickCaption(0), "(&V)");
    EXPECT_EQ(TrayTexts::QuickCaption(EncodeTime(0, 0, 5)), "5秒 (&V)");
    EXPECT_EQ(TrayTexts::QuickCaption(EncodeTime(23, 59, 59)), "23時間 59分 59秒 (&V)");
    EXPECT_EQ(TrayTexts::QuickCaption(EncodeTime(10, 0, 1)), "10時間 1秒 (&V)");

    EXPECT_EQ(TrayTexts::LaunchTitleCaption("仕事", 0), "仕事(&1)");
    EXPECT_EQ(TrayTexts::LaunchTitleCaption("趣味", 1), "趣味(&2)");
    EXPECT_EQ(TrayTexts::LaunchTitleCaption("予備", 2), "予備(&3)");
}

} // namespace
} // namespace rimo
