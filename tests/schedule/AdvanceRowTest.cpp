#include "schedule/AdvanceRow.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

// Monday 1 January 2024 to Sunday 7 January 2024.
DateTime Jan2024(int day, int hour = 10) {
    return EncodeDate(2024, 1, day) + EncodeTime(hour, 0, 0);
}

ScheduleRow Row(const std::string& repeat, const std::string& date, const std::string& time) {
    return {"予定", repeat, date, time, "警告音", "", "しない", "○"};
}

struct Case {
    const char* Repeat;
    const char* Date;
    const char* Time;
    DateTime Now;
    const char* NewDate;
    const char* NewTime;
};

TEST(AdvanceRow, MovesEachRepetitionToItsNextOccurrence) {
    const Case cases[] = {
        {"毎日", "2024/01/05/金", "07:00:00", Jan2024(5), "2024/01/06/土", "07:00:00"},
        {"隔日", "2024/01/05/金", "07:00:00", Jan2024(5), "2024/01/07/日", "07:00:00"},
        {"毎週", "2024/01/05/金", "07:00:00", Jan2024(5), "2024/01/12/金", "07:00:00"},
        {"隔週", "2024/01/05/金", "07:00:00", Jan2024(5), "2024/01/19/金", "07:00:00"},
        {"毎月", "2023/01/31/火", "07:00:00", EncodeDate(2023, 1, 31), "2023/02/28/火", "07:00:00"},
        {"毎月", "2024/01/31/水", "07:00:00", EncodeDate(2024, 1, 31), "2024/02/29/木", "07:00:00"},
        {"隔月", "2023/12/31/日", "07:00:00", EncodeDate(2023, 12, 31), "2024/02/29/木",
         "07:00:00"},
        {"毎年", "2024/02/29/木", "07:00:00", EncodeDate(2024, 2, 29), "2025/02/28/金", "07:00:00"},
        {"隔年", "2024/02/29/木", "07:00:00", EncodeDate(2024, 2, 29), "2026/02/28/土", "07:00:00"},
        {"毎月", "2024/12/15/日", "07:00:00", EncodeDate(2024, 12, 15), "2025/01/15/水",
         "07:00:00"},
        // The hour kinds take today's date and add to the time of day.
        {"30分毎", "2024/01/05/金", "10:00:00", Jan2024(5), "2024/01/05/金", "10:30:00"},
        {"毎時", "2024/01/05/金", "10:00:00", Jan2024(5), "2024/01/05/金", "11:00:00"},
        {"隔時", "2024/01/05/金", "10:00:00", Jan2024(5), "2024/01/05/金", "12:00:00"},
        {"毎時", "2024/01/05/金", "22:59:59", Jan2024(5, 22), "2024/01/05/金", "23:59:59"},
        // ... and move to the next day when they pass midnight.
        {"30分毎", "2024/01/05/金", "23:45:00", Jan2024(5, 23), "2024/01/06/土", "00:15:00"},
        {"毎時", "2024/01/05/金", "23:30:00", Jan2024(5, 23), "2024/01/06/土", "00:30:00"},
        {"隔時", "2024/01/05/金", "23:00:00", Jan2024(5, 23), "2024/01/06/土", "01:00:00"},
        {"隔時", "2024/01/05/金", "22:00:00", Jan2024(5, 22), "2024/01/06/土", "00:00:00"},
        {"30分毎", "2024/12/31/火", "23:30:00", EncodeDate(2024, 12, 31) + EncodeTime(23, 30, 0),
         "2025/01/01/水", "00:00:00"},
    };
    for (const Case& c : cases) {
        ScheduleRow row = Row(c.Repeat, c.Date, c.Time);
        ASSERT_TRUE(AdvanceRow(row, c.Now)) << c.Repeat << " " << c.Date;
        EXPECT_EQ(row[ColDate], c.NewDate) << c.Repeat << " " << c.Date << " " << c.Time;
        EXPECT_EQ(row[ColTime], c.NewTime) << c.Repeat << " " << c.Date << " " << c.Time;
    }
}

TEST(AdvanceRow, WeekdayKindsGoByTheDayOfTheRun) {
    const char* dates[] = {"2024/01/01/月", "2024/01/02/火", "2024/01/03/水", "2024/01/04/木",
                           "2024/01/05/金", "2024/01/06/土", "2024/01/07/日"};
    // Monday .. Sunday: days added.
    const int weekdays[] = {1, 1, 1, 1, 3, 2, 1};
    const int weekend[] = {0, 0, 0, 0, 0, 1, 6};
    for (int i = 0; i < 7; ++i) {
        const DateTime now = Jan2024(i + 1);
        ScheduleRow mondayToFriday = Row("月～金", dates[i], "07:00:00");
        ASSERT_TRUE(AdvanceRow(mondayToFriday, now));
        EXPECT_EQ(mondayToFriday[ColDate], FormatScheduleDate(AddDays(DateOf(now), weekdays[i])))
            << dates[i];
        ScheduleRow saturdaySunday = Row("土日", dates[i], "07:00:00");
        ASSERT_TRUE(AdvanceRow(saturdaySunday, now));
        EXPECT_EQ(saturdaySunday[ColDate], FormatScheduleDate(AddDays(DateOf(now), weekend[i])))
            << dates[i];
        EXPECT_EQ(saturdaySunday[ColTime], "07:00:00");
    }
}

TEST(AdvanceRow, LeavesRowsWithoutAKnownRepetitionAsTheyAre) {
    for (const char* repeat : {"", "毎秒", "毎日 ", "まいにち"}) {
        ScheduleRow row = Row(repeat, "2024/01/05/金", "10:00:00");
        const ScheduleRow before = row;
        EXPECT_TRUE(AdvanceRow(row, Jan2024(5)));
        EXPECT_EQ(row, before) << repeat;
    }
}

TEST(AdvanceRow, ARowItCannotReadStaysUnchanged) {
    ScheduleRow daily = Row("毎日", "garbage", "10:00:00");
    EXPECT_FALSE(AdvanceRow(daily, Jan2024(5)));
    EXPECT_EQ(daily[ColDate], "garbage");
    ScheduleRow hourly = Row("毎時", "2024/01/05/金", "25:99");
    EXPECT_FALSE(AdvanceRow(hourly, Jan2024(5)));
    EXPECT_EQ(hourly[ColDate], "2024/01/05/金");
    ScheduleRow monthly = Row("毎月", "", "");
    EXPECT_FALSE(AdvanceRow(monthly, Jan2024(5)));
}

TEST(AdvanceRow, OnATableRowWritesOnlyThatRow) {
    ScheduleTable table;
    table.SetCell(ColRepeat, 2, "毎日");
    table.SetCell(ColDate, 2, "2024/01/05/金");
    table.SetCell(ColTime, 2, "07:00:00");
    EXPECT_TRUE(AdvanceRow(table, 2, Jan2024(5)));
    EXPECT_EQ(table.Cell(ColDate, 2), "2024/01/06/土");
    EXPECT_FALSE(AdvanceRow(table, 0, Jan2024(5)));  // the header
    EXPECT_FALSE(AdvanceRow(table, 99, Jan2024(5))); // past the end
    EXPECT_EQ(table.Row(0), ScheduleHeader());
}

} // namespace
} // namespace rimo
