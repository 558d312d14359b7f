#include "schedule/DueIndex.h"

#include "core/DateTime.h"
#include "schedule/CatchUp.h"
#include "schedule/SchedulePass.h"
#include "schedule/ScheduleTable.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace rimo {
namespace {

ScheduleRow At(DateTime when, const std::string& enabled = "○") {
    return {"t",      "",     FormatScheduleDate(when), FormatScheduleTime(when), "警告音", "",
            "しない", enabled};
}

// The second the pass finds the row due in, by formatting and comparing texts.
std::optional<std::int64_t> BySecondTexts(const ScheduleRow& row) {
    if (row[ColEnabled] != "○") {
        return std::nullopt;
    }
    const std::optional<DateTime> moment = DueMoment(row);
    return moment ? std::optional(SecondOf(*moment)) : std::nullopt;
}

TEST(DueIndex, ASecondIsReadExactlyWhereThePassWouldFindTheRowDue) {
    const DateTime when = EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 58);
    std::vector<ScheduleRow> rows{At(when), At(when, "×"), At(EncodeDate(1, 1, 1)),
                                  At(EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59)),
                                  At(EncodeDate(1899, 12, 29) + EncodeTime(1, 2, 3))};
    // Texts that no second formats to: wrong day names, no padding, out of range.
    for (const auto& [date, time] :
         std::vector<std::pair<std::string, std::string>>{{"2024/02/29/金", "23:59:58"},
                                                          {"2024/02/29/木 ", "23:59:58"},
                                                          {"2024/2/29/木", "23:59:58"},
                                                          {"2024/02/30/金", "00:00:00"},
                                                          {"2024/02/29/木", "24:00:00"},
                                                          {"2024/02/29/木", "7:00:00"},
                                                          {"0000/01/01/土", "00:00:00"},
                                                          {"2024-02-29/木", "23:59:58"},
                                                          {"2024/02/29/木", "23:59"},
                                                          {"", ""}}) {
        ScheduleRow row = At(when);
        row[ColDate] = date;
        row[ColTime] = time;
        rows.push_back(row);
    }
    // Every single-byte change of a good row.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        ScheduleRow row =
            At(EncodeDate(2026, 1, 1) + random() % 800 + EncodeTime(random() % 24, 0, 0));
        std::string& cell = row[i % 2 ? ColDate : ColTime];
        cell[random() % cell.size()] = static_cast<char>("0123456789/:x"[random() % 13]);
        rows.push_back(row);
    }
    for (const ScheduleRow& row : rows) {
        EXPECT_EQ(DueSecond(row), BySecondTexts(row)) << row[ColDate] << " " << row[ColTime];
    }
}

TEST(DueIndex, TheTableKeepsItsIndexThroughEveryChange) {
    const DateTime ten = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);
    const std::int64_t s = SecondOf(ten);
    ScheduleTable table;
    int changes = 0;
    table.SetChangeListener([&] { ++changes; });
    table.ReplaceScheduleRows({At(AddSeconds(ten, 5)), At(ten), At(ten, "×"), At(ten)});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(table.Due().Size(), 3U);
    EXPECT_TRUE(table.Due().AnyDueIn(s));
    EXPECT_EQ(table.Due().FirstAfter(s - 1), s);
    EXPECT_EQ(table.Due().FirstAfter(s), s + 5);
    EXPECT_EQ(table.Due().FirstAfter(s + 5), std::nullopt);

    table.SetCell(ColEnabled, 3, "○");
    table.SetCell(ColTime, 2, FormatScheduleTime(AddSeconds(ten, 9)));
    table.SetCell(ColTitle, 1, "タイトル"); // not indexed, still a change
    table.SetCell(ColTitle, 1, "タイトル"); // the same text: no change
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(table.Due().SecondsIn(s, s + 9), (std::vector<std::int64_t>{s, s + 5, s + 9}));
    table.RemoveRow(1);
    table.InsertRow(1);
    table.SetCell(ColDate, 0, "2026/12/08/火"); // the header is never due
    table.SetCell(ColTime, 0, "10:00:00");
    table.SetCell(ColEnabled, 0, "○");
    EXPECT_EQ(table.Due().SecondsIn(s, s + 9), (std::vector<std::int64_t>{s, s + 9}));
    EXPECT_EQ(table.Due().Size(), 3U);
    table.SetRowCount(3);
    EXPECT_EQ(table.Due().SecondsIn(s, s + 9), (std::vector<std::int64_t>{s + 9}));
    table.SetRowCount(1);
    EXPECT_EQ(table.Due().Size(), 0U);
    EXPECT_EQ(changes, 8);
}

} // namespace
} // namespace rimo
