#include "schedule/CatchUp.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

// 2026-12-06 is a Sunday; the days below are named after their weekday.
DateTime At(int day, int hour, int minute = 0) {
    return EncodeDate(2026, 12, day) + EncodeTime(hour, minute, 0);
}
constexpr int kMon = 7, kTue = 8, kWed = 9, kThu = 10, kFri = 11, kSat = 12, kSun = 13;

std::string DateText(int year, int month, int day) {
    return FormatScheduleDate(EncodeDate(year, month, day));
}
std::string Dec(int day) {
    return DateText(2026, 12, day);
}

// Catches up one row and returns its date and time texts.
std::pair<std::string, std::string> CatchUp(const std::string& repeat, const std::string& date,
                                            const std::string& time, DateTime now) {
    ScheduleRow row{"t", repeat, date, time, "警告音", "", "しない", "○"};
    Message problem;
    EXPECT_TRUE(CatchUpRow(row, now, &problem)) << problem;
    return {row[ColDate], row[ColTime]};
}

TEST(CatchUp, DailyRowsComeToTodayOrTomorrow) {
    EXPECT_EQ(CatchUp("毎日", Dec(1), "09:00:00", At(kTue, 10)).first, Dec(kWed));
    EXPECT_EQ(CatchUp("毎日", Dec(1), "11:00:00", At(kTue, 10)).first, Dec(kTue));
    // The second itself is still due.
    EXPECT_EQ(CatchUp("毎日", Dec(1), "10:00:00", At(kTue, 10)).first, Dec(kTue));
    // Only the date is written; the time text stays as it was.
    EXPECT_EQ(CatchUp("毎日", "", "9:00", At(kTue, 10)),
              std::make_pair(Dec(kWed), std::string("9:00")));
}

TEST(CatchUp, RowsStillAheadKeepBothCellsExactly) {
    const DateTime now = At(kTue, 10);
    const std::vector<std::pair<std::string, std::string>> ahead{
        {"毎日", Dec(kFri)},       // meant to start on Friday, not tomorrow
        {"毎時", Dec(kWed)},       // dated tomorrow: not today at the next hour
        {"30分毎", Dec(kTue + 7)}, // next week
        {"隔時", Dec(kWed)},       // tomorrow
        {"月～金", Dec(kMon + 7)}, // not this week's Wednesday
        {"土日", Dec(kSat + 7)},   // not this Saturday
        {"土日", Dec(kThu)},       // a hand-edited weekday stays as written
    };
    for (const auto& [repeat, date] : ahead) {
        EXPECT_EQ(CatchUp(repeat, date, "09:00:00", now),
                  std::make_pair(date, std::string("09:00:00")))
            << repeat << " " << date;
    }
    // Later today, and the second of the start itself.
    EXPECT_EQ(CatchUp("毎時", Dec(kTue), "10:30:00", now).second, "10:30:00");
    EXPECT_EQ(CatchUp("毎日", Dec(kTue), "10:00:00", now).first, Dec(kTue));
    // Passed today: moved as before.
    EXPECT_EQ(CatchUp("毎日", Dec(kTue), "09:59:59", now).first, Dec(kWed));
    EXPECT_EQ(CatchUp("毎時", Dec(kTue), "08:30:00", now).second, "10:30:00");
}

TEST(CatchUp, HourKindsStepTheTimeToTheNextOccurrence) {
    EXPECT_EQ(CatchUp("30分毎", Dec(1), "08:00:00", At(kTue, 10, 10)),
              std::make_pair(Dec(kTue), std::string("10:30:00")));
    EXPECT_EQ(CatchUp("毎時", Dec(1), "08:15:00", At(kTue, 10, 10)),
              std::make_pair(Dec(kTue), std::string("10:15:00")));
    EXPECT_EQ(CatchUp("隔時", Dec(1), "08:15:00", At(kTue, 10, 10)),
              std::make_pair(Dec(kTue), std::string("10:15:00")));
    EXPECT_EQ(CatchUp("隔時", Dec(1), "08:15:00", At(kTue, 10, 20)),
              std::make_pair(Dec(kTue), std::string("12:15:00")));
    // Already ahead: the time stays, the date becomes today.
    EXPECT_EQ(CatchUp("毎時", Dec(1), "18:00:00", At(kTue, 10)),
              std::make_pair(Dec(kTue), std::string("18:00:00")));
}

TEST(CatchUp, HourKindsPassingMidnightMoveToTheNextDay) {
    EXPECT_EQ(CatchUp("30分毎", Dec(1), "23:45:00", At(kTue, 23, 50)),
              std::make_pair(Dec(kWed), std::string("00:15:00")));
    EXPECT_EQ(CatchUp("毎時", Dec(1), "22:00:00", At(kTue, 23, 30)),
              std::make_pair(Dec(kWed), std::string("00:00:00")));
    EXPECT_EQ(CatchUp("隔時", Dec(1), "21:30:00", At(kSat, 23, 40)),
              std::make_pair(Dec(kSun), std::string("01:30:00")));
    // Across the end of a month and a year.
    EXPECT_EQ(CatchUp("30分毎", Dec(1), "23:40:00", At(31, 23, 50)),
              std::make_pair(DateText(2027, 1, 1), std::string("00:10:00")));
}

TEST(CatchUp, WeekdayRowsSkipTheWeekend) {
    EXPECT_EQ(CatchUp("月～金", Dec(1), "09:00:00", At(kFri, 10)).first, Dec(kMon + 7));
    EXPECT_EQ(CatchUp("月～金", Dec(1), "09:00:00", At(kSun, 8)).first, Dec(kMon + 7));
    EXPECT_EQ(CatchUp("月～金", Dec(1), "09:00:00", At(kSat, 8)).first, Dec(kMon + 7));
    EXPECT_EQ(CatchUp("月～金", Dec(1), "09:00:00", At(kWed, 8)).first, Dec(kWed));
    EXPECT_EQ(CatchUp("月～金", Dec(1), "09:00:00", At(kWed, 10)).first, Dec(kWed + 1));
    EXPECT_EQ(CatchUp("月～金", Dec(1), "09:00:00", At(kMon, 8)).first, Dec(kMon));
}

TEST(CatchUp, WeekendRowsComeToTheComingWeekend) {
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kWed, 10)).first, Dec(kSat));
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kMon, 8)).first, Dec(kSat));
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kFri, 10)).first, Dec(kSat));
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kSat, 8)).first, Dec(kSat));
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kSat, 10)).first, Dec(kSun));
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kSun, 8)).first, Dec(kSun));
    EXPECT_EQ(CatchUp("土日", Dec(1), "09:00:00", At(kSun, 10)).first, Dec(kSat + 7));
}

TEST(CatchUp, DateKindsStepTheStoredDateUntilItLiesAhead) {
    const DateTime now = At(kTue, 10);
    // Three weeks and a day ago at this hour: six days from now.
    EXPECT_EQ(CatchUp("毎週", DateText(2026, 11, 16), "10:00:00", now).first, Dec(kTue + 6));
    EXPECT_EQ(CatchUp("隔週", DateText(2026, 11, 24), "09:00:00", now).first, Dec(22));
    EXPECT_EQ(CatchUp("隔日", Dec(kMon), "09:00:00", now).first, Dec(kWed));
    EXPECT_EQ(CatchUp("隔日", Dec(kMon), "11:00:00", now).first, Dec(kWed));
    EXPECT_EQ(CatchUp("隔日", Dec(kTue), "11:00:00", now).first, Dec(kTue));
    EXPECT_EQ(CatchUp("毎週", DateText(2026, 11, 24), "10:00:00", now).first, Dec(kTue));
}

TEST(CatchUp, MonthStepsKeepTheShortenedDay) {
    const DateTime april15 = EncodeDate(2023, 4, 15) + EncodeTime(12, 0, 0);
    EXPECT_EQ(CatchUp("毎月", DateText(2023, 1, 31), "08:00:00", april15).first,
              DateText(2023, 4, 28));
    EXPECT_EQ(CatchUp("隔月", DateText(2023, 1, 31), "08:00:00", EncodeDate(2023, 6, 15)).first,
              DateText(2023, 7, 31));
    EXPECT_EQ(CatchUp("毎年", DateText(2024, 2, 29), "08:00:00", At(kTue, 10)).first,
              DateText(2027, 2, 28));
    EXPECT_EQ(CatchUp("隔年", DateText(2020, 2, 29), "08:00:00", At(kTue, 10)).first,
              DateText(2028, 2, 28));
    // Many years back: the same as stepping one month at a time.
    EXPECT_EQ(CatchUp("毎月", DateText(1990, 1, 31), "08:00:00", april15).first,
              DateText(2023, 4, 28));
    EXPECT_EQ(CatchUp("毎月", DateText(1990, 3, 30), "08:00:00", april15).first,
              DateText(2023, 4, 28));
    EXPECT_EQ(CatchUp("隔月", DateText(1991, 3, 31), "08:00:00", april15).first,
              DateText(2023, 5, 30));
}

TEST(CatchUp, RowsAheadAndRowsWithoutRepetitionKeepTheirTexts) {
    const DateTime now = At(kTue, 10);
    EXPECT_EQ(CatchUp("毎週", "2027/01/05/x", "10:00:00", now).first, "2027/01/05/x");
    EXPECT_EQ(CatchUp("", Dec(1), "10:00:00", now).first, Dec(1));
    EXPECT_EQ(CatchUp("毎秒", Dec(1), "", now).first, Dec(1));
}

TEST(CatchUp, FourDigitYearsAreTakenAsWritten) {
    // The two-digit read would take 1950 for 2050 and leave the row waiting for decades.
    EXPECT_EQ(CatchUp("毎年", DateText(1950, 12, 9), "10:00:00", At(kTue, 10)).first, Dec(kWed));
}

TEST(CatchUp, AncientDatesCatchUpQuickly) {
    EXPECT_EQ(CatchUp("隔日", DateText(1, 1, 1), "10:00:00", At(kTue, 10)).first.substr(0, 7),
              "2026/12");
    EXPECT_EQ(CatchUp("毎月", DateText(1, 1, 31), "10:00:00", At(kTue, 10)).first,
              DateText(2026, 12, 28));
}

TEST(CatchUp, UnreadableRowsAreReportedAndLeftAlone) {
    ScheduleTable table;
    table.SetRowCount(4);
    table.Assign({ScheduleHeader(),
                  {"broken", "毎日", "", "", "", "", "しない", "×"},
                  {"fine", "毎日", Dec(1), "09:00:00", "警告音", "", "しない", "○"},
                  {"bad date", "毎週", "someday", "09:00:00", "", "", "しない", "×"}});
    const std::vector<ScheduleRowProblem> problems = CatchUpSchedule(table, At(kTue, 10));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].Row, 1);
    EXPECT_EQ(problems[0].Message, "'' は時刻ではありません");
    EXPECT_EQ(problems[1].Row, 3);
    EXPECT_EQ(problems[1].Message, "'someday' は日付ではありません");
    EXPECT_EQ(table.Cell(ColDate, 1), "");
    EXPECT_EQ(table.Cell(ColDate, 2), Dec(kWed));
    EXPECT_EQ(table.Cell(ColDate, 3), "someday");
}

} // namespace
} // namespace rimo
