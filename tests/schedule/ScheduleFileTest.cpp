#include "schedule/ScheduleFile.h"

#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace rimo {
namespace {

using ::testing::HasSubstr;

std::string Fixture(const std::string& name) {
    return TempFolder::Read(std::filesystem::path(RIMO_TEST_DATA_DIR) / name);
}

// The file's lines for a table of the given rows (header included), CR LF ended.
std::string Lines(const std::vector<ScheduleRow>& rows) {
    std::string text = "8\r\n" + std::to_string(rows.size()) + "\r\n";
    for (int c = 0; c < kScheduleColumns; ++c) {
        for (const ScheduleRow& row : rows) {
            text += row[c] + "\r\n";
        }
    }
    return text;
}

TEST(ScheduleFile, ReadsAFileOfTheWindowsProgramAndWritesItBackByteForByte) {
    const std::string original = Fixture("schedule-cp932.dat");
    ScheduleTable table;
    const ScheduleReadReport report = ReadScheduleText(original, table);
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(report.Encoding, TextEncoding::Cp932);
    ASSERT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Row(0), ScheduleHeader());
    EXPECT_EQ(table.Cell(ColTitle, 2), "会議①");
    EXPECT_EQ(table.Cell(ColRepeat, 2), "月～金");
    EXPECT_EQ(table.Cell(ColArgument, 2), "\"C:\\Tools\\x.exe\" -a");
    EXPECT_EQ(table.Cell(ColEnabled, 1), "○");
    EXPECT_EQ(table.Cell(ColTitle, 3), "");
    EXPECT_EQ(WriteScheduleText(table), original);
}

TEST(ScheduleFile, StoresEveryCellColumnByColumn) {
    ScheduleTable table;
    table.SetRowCount(4);
    table.SetCell(ColTitle, 1, "a");
    table.SetCell(ColTitle, 3, "c");
    table.SetCell(ColEnabled, 2, "○");
    const std::string text = WriteScheduleText(table);
    // 8 and 4, then 32 cell lines.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 34);
    EXPECT_EQ(text.substr(0, 6), "8\r\n4\r\n");
    const std::string expectedStart = "8\r\n4\r\n"
                                      "\x83^\x83"
                                      "C\x83g\x83\x8b\r\n" // タイトル in CP932
                                      "a\r\n\r\nc\r\n";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);

    ScheduleTable back;
    EXPECT_TRUE(ReadScheduleText(text, back).Problems.empty());
    EXPECT_EQ(back.Rows(), table.Rows());
}

TEST(ScheduleFile, TextsWithoutACp932FormAreKeptAsUtf8WithAMark) {
    ScheduleTable table;
    table.SetCell(ColTitle, 1, "Straße 😀");
    const std::string text = WriteScheduleText(table);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    ScheduleTable back;
    const ScheduleReadReport report = ReadScheduleText(text, back);
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(back.Cell(ColTitle, 1), "Straße 😀");
}

TEST(ScheduleFile, ACellNeverBreaksItsLine) {
    ScheduleTable table;
    table.SetCell(ColArgument, 1, "one\r\ntwo\nthree");
    ScheduleTable back;
    ReadScheduleText(WriteScheduleText(table), back);
    EXPECT_EQ(back.Cell(ColArgument, 1), "one  two three");
    EXPECT_EQ(back.RowCount(), table.RowCount());
}

TEST(ScheduleFile, FewerLinesThanTheCountsGiveEmptyCellsSilently) {
    // Rows the file holds a line for are made; the cells it lacks are empty.
    ScheduleTable table;
    ScheduleReadReport report = ReadScheduleText("8\r\n5\r\nh\r\nr1\r\n", table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Row(0), (ScheduleRow{"h", "", "", "", "", "", "", ""}));
    EXPECT_EQ(table.Row(1), (ScheduleRow{"r1", "", "", "", "", "", "", ""}));
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_FALSE(report.Unreadable);
    // Only the counts: the grid's one row, empty (the header too).
    report = ReadScheduleText("8\r\n3\r\n", table);
    ASSERT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.Row(0), ScheduleRow{});
    EXPECT_TRUE(report.Problems.empty());

    // A file cut short: the cells it still holds are read, the file stays where it is.
    TempFolder folder;
    std::string text = Lines({ScheduleHeader(), {"t", "毎日", "", "", "", "", "しない", "○"}});
    text.resize(text.size() - std::string("○\r\n").size());
    TempFolder::Write(folder / "rimotime.dat", text);
    report = LoadSchedule(folder / "rimotime.dat", table);
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(table.Row(1), (ScheduleRow{"t", "毎日", "", "", "", "", "しない", ""}));
    EXPECT_EQ(TempFolder::Read(folder / "rimotime.dat"), text);
    EXPECT_FALSE(std::filesystem::exists(folder / "rimotime.dat.broken"));
}

// Two lines announcing a million rows: no row the file holds no line for is
// made, so neither memory nor the file written back grows with the count.
TEST(ScheduleFile, ACountFarAboveTheLinesHeldBuildsOnlyTheRowsHeld) {
    const std::string small = "8\r\n1000000\r\n";
    ScheduleTable table;
    EXPECT_TRUE(ReadScheduleText(small, table).Problems.empty());
    EXPECT_EQ(table.RowCount(), 1);
    std::string emptyRow;
    for (int c = 0; c < kScheduleColumns; ++c) {
        emptyRow += "\r\n";
    }
    EXPECT_EQ(WriteScheduleText(table), "8\r\n1\r\n" + emptyRow);

    // Three lines under the same count: all in column 0, three rows.
    EXPECT_TRUE(ReadScheduleText(small + "a\r\nb\r\nc\r\n", table).Problems.empty());
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Row(2), (ScheduleRow{"c", "", "", "", "", "", "", ""}));
    ScheduleTable back;
    ReadScheduleText(WriteScheduleText(table), back);
    EXPECT_EQ(back.Rows(), table.Rows());

    // First-column lines alone, two bytes a row: the rows a file may bring
    // are bounded, and the rest is reported.
    std::string crafted = small;
    for (int i = 0; i < 100'005; ++i) {
        crafted += "\r\n";
    }
    const ScheduleReadReport report = ReadScheduleText(crafted, table);
    EXPECT_EQ(table.RowCount(), 100'001);
    EXPECT_TRUE(report.Unreadable);
    EXPECT_THAT(report.Problems, ::testing::Contains(HasSubstr("行が多すぎます")));
}

TEST(ScheduleFile, LineEndsOfOtherSystemsAreRead) {
    std::string text = Lines({ScheduleHeader(), {"t", "毎日", "", "", "", "", "しない", "×"}});
    std::string lf;
    for (char c : text) {
        if (c != '\r') {
            lf += c;
        }
    }
    ScheduleTable table;
    EXPECT_TRUE(ReadScheduleText(lf, table).Problems.empty());
    EXPECT_EQ(table.Cell(ColTitle, 1), "t");
    EXPECT_EQ(table.Cell(ColEnabled, 1), "×");
}

TEST(ScheduleFile, BadCountsStopTheReadingAndKeepTheTable) {
    for (const std::string bad : {"", "abc\r\n2\r\n", "8\r\nx\r\n", "8\r\n", "8.5\r\n2\r\n"}) {
        ScheduleTable table;
        table.SetCell(ColTitle, 1, "kept");
        const ScheduleReadReport report = ReadScheduleText(bad, table);
        EXPECT_TRUE(report.Unreadable) << bad;
        EXPECT_FALSE(report.Problems.empty()) << bad;
        EXPECT_EQ(table.RowCount(), 9) << bad;
        EXPECT_EQ(table.Cell(ColTitle, 1), "kept") << bad;
    }
}

TEST(ScheduleFile, OddCountsAreBoundedAndReported) {
    ScheduleTable table;
    ScheduleReadReport report = ReadScheduleText("8\r\n-5\r\nx\r\n", table);
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.Cell(ColTitle, 0), "x");
    EXPECT_TRUE(report.Unreadable);

    // Counts beyond any table are refused before anything is allocated or multiplied.
    report = ReadScheduleText("8\r\n99999999999\r\na\r\nb\r\n", table);
    EXPECT_TRUE(report.Unreadable);
    EXPECT_LE(table.RowCount(), 2);
    EXPECT_EQ(table.Cell(ColTitle, 0), "a");
    for (const std::string huge :
         {"9000000000000000000\r\n2\r\na\r\n", "8\r\n9000000000000000000\r\na\r\n",
          "9000000000000000000\r\n9000000000000000000\r\n"}) {
        report = ReadScheduleText(huge, table);
        EXPECT_TRUE(report.Unreadable) << huge;
        // Only the count is reported, nothing computed from it.
        EXPECT_THAT(report.Problems, ::testing::Each(HasSubstr("9000000000000000000")));
        EXPECT_LE(table.RowCount(), 2);
    }

    // Another column count: the eight columns are read as laid out.
    report = ReadScheduleText("2\r\n2\r\nh0\r\nr0\r\nh1\r\nr1\r\n", table);
    EXPECT_TRUE(report.Unreadable);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Cell(1, 1), "r1");
    EXPECT_EQ(table.Cell(2, 1), "");
}

TEST(ScheduleFile, BytesThatAreNoTextAreReplacedAndReported) {
    ScheduleTable table;
    const std::string broken = "8\r\n2\r\n\x81\xff\xfe\r\n";
    const ScheduleReadReport report = ReadScheduleText(broken, table);
    EXPECT_TRUE(report.Unreadable);
    EXPECT_FALSE(report.Problems.empty());
    EXPECT_THAT(table.Cell(ColTitle, 0), HasSubstr("\xEF\xBF\xBD"));
}

TEST(ScheduleFile, ExtraLinesAreReported) {
    ScheduleTable table;
    const ScheduleReadReport report =
        ReadScheduleText(Lines({ScheduleHeader()}) + "surplus\r\n", table);
    EXPECT_TRUE(report.Unreadable);
    EXPECT_EQ(table.Row(0), ScheduleHeader());
}

TEST(ScheduleFile, LoadLeavesTheTableAloneWhenThereIsNoFile) {
    TempFolder folder;
    ScheduleTable table;
    const ScheduleReadReport report = LoadSchedule(folder / "rimotime.dat", table);
    EXPECT_FALSE(report.FileExists);
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(table.RowCount(), 9);
    EXPECT_EQ(table.Row(0), ScheduleHeader());
}

TEST(ScheduleFile, AnUnreadableFileIsKeptAsideBeforeAnythingIsWrittenOverIt) {
    TempFolder folder;
    const auto path = folder / "rimotime.dat";
    const std::string original = "8\r\nthree\r\nonly one cell\r\n";
    TempFolder::Write(path, original);
    ScheduleTable table;
    const ScheduleReadReport report = LoadSchedule(path, table);
    EXPECT_TRUE(report.Unreadable);
    EXPECT_THAT(report.Problems.back(), HasSubstr("rimotime.dat.broken"));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(TempFolder::Read(folder / "rimotime.dat.broken"), original);
    EXPECT_EQ(report.SaveTo, path);

    ASSERT_TRUE(SaveSchedule(path, table).ok());
    EXPECT_EQ(TempFolder::Read(folder / "rimotime.dat.broken"), original);
    ScheduleTable back;
    EXPECT_TRUE(LoadSchedule(path, back).Problems.empty());
    EXPECT_EQ(back.Rows(), table.Rows());
}

TEST(ScheduleFile, SaveReportsAFolderThatIsNotThere) {
    TempFolder folder;
    TempFolder::Write(folder / "plain-file", "x");
    const Status saved = SaveSchedule(folder / "plain-file" / "rimotime.dat", ScheduleTable());
    EXPECT_FALSE(saved.ok());
    EXPECT_THAT(saved.message(), HasSubstr("rimotime.dat"));
}

TEST(ScheduleFile, AHundredMegabytesOfJunkIsRefusedWithoutHarm) {
    std::string junk = "8\r\n3\r\n";
    junk.reserve(100u << 20);
    std::mt19937 random(7);
    while (junk.size() < (100u << 20)) {
        const char c = static_cast<char>(random() % 256);
        junk += c;
    }
    ScheduleTable table;
    const ScheduleReadReport report = ReadScheduleText(junk, table);
    EXPECT_TRUE(report.Unreadable);
    EXPECT_LE(table.RowCount(), 3);
}

} // namespace
} // namespace rimo
