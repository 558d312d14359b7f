#include "schedule/ScheduleEditRules.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

const DateTime kNow = EncodeDate(2026, 12, 8) + EncodeTime(10, 30, 15); // a Tuesday

// Every character 6 pixels wide, bytes of a UTF-8 sequence counted once.
int FixedWidth(std::string_view text) {
    int characters = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++characters;
        }
    }
    return characters * 6;
}

ScheduleRow Row(const std::string& date, const std::string& time, const std::string& action,
                const std::string& argument = "") {
    return {"", "", date, time, action, argument, "しない", "○"};
}

TEST(ScheduleEditRules, TheFirstMissingFieldDecides) {
    struct Case {
        ScheduleRow Row;
        const char* Message;
        int Column;
    };
    const Case cases[] = {
        {Row("", "", ""), "日付が指定されていません。", ColDate},
        {Row("2026/12/09/水", "", "メッセージ"), "時刻が指定されていません。", ColTime},
        {Row("2026/12/09/水", "07:00:00", ""), "動作が指定されていません。", ColAction},
        {Row("2026/12/09/水", "07:00:00", "メッセージ"), "メッセージが指定されていません。",
         ColArgument},
        {Row("2026/12/09/水", "07:00:00", "起動"), "起動パスが指定されていません。", ColArgument},
    };
    for (const Case& c : cases) {
        const std::optional<MissingField> missing = FindMissingField(c.Row);
        ASSERT_TRUE(missing.has_value()) << c.Message;
        EXPECT_EQ(missing->Message, c.Message);
        EXPECT_EQ(missing->Column, c.Column);
    }
    // Every other action runs with an empty argument.
    for (const char* action : {"サウンド", "警告音", "ScreenSave", "壁紙変更", "ランチャー"}) {
        EXPECT_FALSE(FindMissingField(Row("2026/12/09/水", "07:00:00", action))) << action;
    }
    EXPECT_FALSE(FindMissingField(Row("2026/12/09/水", "07:00:00", "起動", "\"/bin/true\"")));
}

TEST(ScheduleEditRules, ThePickersStartAtTheRowOrAtNow) {
    const DateTime today = EncodeDate(2026, 12, 8);
    EXPECT_EQ(PickerDate("", kNow), today);
    EXPECT_EQ(PickerDate("2026/12/01/火", kNow), today); // past dates start at today
    EXPECT_EQ(PickerDate("2026/12/08/火", kNow), today);
    EXPECT_EQ(PickerDate("2027/01/31/日", kNow), EncodeDate(2027, 1, 31));
    // A date that cannot be read is treated as empty instead of stopping the selection.
    EXPECT_EQ(PickerDate("someday", kNow), today);
    EXPECT_EQ(PickerDate("2026/13/45/x", kNow), today);

    EXPECT_EQ(PickerTime("07:05:09", kNow), EncodeTime(7, 5, 9));
    EXPECT_EQ(PickerTime("", kNow), EncodeTime(10, 30, 15));
    EXPECT_EQ(PickerTime("noon", kNow), EncodeTime(10, 30, 15));
}

TEST(ScheduleEditRules, NewRowsGetTheirDefaultsOnce) {
    ScheduleTable table;
    table.SetCell(ColDelete, 2, "する");
    table.SetCell(ColEnabled, 2, "○");
    WriteRowDefaults(table, 1);
    WriteRowDefaults(table, 2);
    WriteRowDefaults(table, 0);   // the header is never touched
    WriteRowDefaults(table, 100); // nor a row that is not there
    EXPECT_EQ(table.Cell(ColDelete, 1), "しない");
    EXPECT_EQ(table.Cell(ColEnabled, 1), "×");
    EXPECT_EQ(table.Cell(ColDelete, 2), "する");
    EXPECT_EQ(table.Cell(ColEnabled, 2), "○");
    EXPECT_EQ(table.Row(0), ScheduleHeader());
}

TEST(ScheduleEditRules, OneDroppedFileFillsAnEmptyArgumentAndTitle) {
    ScheduleTable table;
    EXPECT_TRUE(DropFilesIntoRow(table, 1, {"/home/user/音楽/朝.wav"}));
    EXPECT_EQ(table.Cell(ColArgument, 1), "\"/home/user/音楽/朝.wav\"");
    EXPECT_EQ(table.Cell(ColTitle, 1), "朝");

    table.SetCell(ColTitle, 2, "keep");
    EXPECT_TRUE(DropFilesIntoRow(table, 2, {"/opt/app.tar.gz"}));
    EXPECT_EQ(table.Cell(ColTitle, 2), "keep");
    EXPECT_EQ(table.Cell(ColArgument, 2), "\"/opt/app.tar.gz\"");

    // Onto a filled cell, or several files: nothing changes.
    EXPECT_FALSE(DropFilesIntoRow(table, 1, {"/other"}));
    EXPECT_EQ(table.Cell(ColArgument, 1), "\"/home/user/音楽/朝.wav\"");
    EXPECT_FALSE(DropFilesIntoRow(table, 3, {"/a", "/b"}));
    EXPECT_FALSE(DropFilesIntoRow(table, 3, {}));
    EXPECT_EQ(table.Cell(ColArgument, 3), "");
    EXPECT_EQ(table.Cell(ColTitle, 3), "");
}

TEST(ScheduleEditRules, BaseNamesLoseFolderAndLastExtension) {
    EXPECT_EQ(FileBaseName("/usr/bin/xeyes"), "xeyes");
    EXPECT_EQ(FileBaseName("/a/b.c/readme.txt"), "readme");
    EXPECT_EQ(FileBaseName("/a/archive.tar.gz"), "archive.tar");
    EXPECT_EQ(FileBaseName("/home/u/.bashrc"), ".bashrc");
    EXPECT_EQ(WithoutQuotes("\"/a b/c\" -x \"y\""), "/a b/c -x y");
    EXPECT_EQ(QuotedPath("/a b"), "\"/a b\"");
}

TEST(ScheduleEditRules, LongPathsLoseTheirLeadingFolders) {
    const std::string path = "/usr/share/applications/very/long/folder/program.desktop";
    EXPECT_EQ(ShortenPath(path, 1000, FixedWidth), path);
    // 230 pixels hold 38 characters of 6 pixels.
    const std::string shortened = ShortenPath(path, 230, FixedWidth);
    EXPECT_EQ(shortened, "/.../very/long/folder/program.desktop");
    EXPECT_LE(FixedWidth(shortened), 230);
    EXPECT_EQ(ShortenPath(path, 120, FixedWidth), "/.../program.desktop");
    // The file's own name is never cut.
    EXPECT_EQ(ShortenPath(path, 10, FixedWidth), ".../program.desktop");
    EXPECT_EQ(ShortenPath("relative/dir/name.txt", 96, FixedWidth), ".../dir/name.txt");
    EXPECT_EQ(ShortenPath("relative/dir/name.txt", 90, FixedWidth), ".../name.txt");
    EXPECT_EQ(ShortenPath("/averyveryverylongname", 30, FixedWidth), "/averyveryverylongname");
}

TEST(ScheduleEditRules, HintsFollowTheColumn) {
    EXPECT_EQ(CellHint(ColTitle, "", FixedWidth), "選択して左クリックで入力、右クリックで行の操作");
    EXPECT_EQ(CellHint(ColTitle, "起床", FixedWidth), "起床");
    EXPECT_EQ(CellHint(ColRepeat, "毎日", FixedWidth), "繰り返し（毎日、毎週等）の指定");
    EXPECT_EQ(CellHint(ColDate, "", FixedWidth), "指定日の入力");
    EXPECT_EQ(CellHint(ColTime, "", FixedWidth), "指定時刻の入力");
    EXPECT_EQ(CellHint(ColAction, "", FixedWidth), "動作の指定");
    EXPECT_EQ(CellHint(ColArgument, "", FixedWidth),
              "選択して左クリックでメッセージ入力、右クリックでパス参照、D&Dも可能");
    EXPECT_EQ(CellHint(ColArgument, "起床 H:M です", FixedWidth), "起床 H:M です");
    EXPECT_EQ(CellHint(ColArgument, "\"/a/b.wav\"", FixedWidth), "/a/b.wav");
    EXPECT_EQ(CellHint(ColArgument,
                       "\"/usr/share/applications/very/long/folder/program.desktop\" --x",
                       FixedWidth),
              "/.../long/folder/program.desktop --x");
    EXPECT_EQ(CellHint(ColDelete, "", FixedWidth), "実行後のスケジュール処理");
    EXPECT_EQ(CellHint(ColEnabled, "", FixedWidth), "○で有効");
}

TEST(ScheduleEditRules, TheListsHoldTheScheduleTexts) {
    ASSERT_EQ(RepeatChoices().size(), 14u);
    EXPECT_EQ(RepeatChoices().front(), "");
    EXPECT_EQ(RepeatChoices()[4], "月～金");
    ASSERT_EQ(ActionChoices().size(), 13u);
    EXPECT_EQ(ActionChoices().back(), "ﾊｲﾊﾞﾈｰｼｮﾝ");
    EXPECT_EQ(DeleteChoices(), (std::vector<std::string>{"しない", "する"}));
    EXPECT_EQ(EnabledChoices(), (std::vector<std::string>{"○", "×"}));
}

} // namespace
} // namespace rimo
