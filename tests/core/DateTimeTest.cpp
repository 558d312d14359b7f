#include "core/DateTime.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace rimo {
namespace {

TEST(DateTime, CountsDaysFrom30December1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2002, 8, 22), 37490.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    const DateParts back = DecodeDate(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59));
    EXPECT_EQ(back.Year, 2024);
    EXPECT_EQ(back.Month, 2);
    EXPECT_EQ(back.Day, 29);
}

TEST(DateTime, FormatsTheProgramsTexts) {
    const DateTime moment = EncodeDate(2002, 8, 22) + EncodeTime(7, 5, 9);
    EXPECT_EQ(FormatScheduleDate(moment), "2002/08/22/木");
    EXPECT_EQ(FormatScheduleTime(moment), "07:05:09");
    EXPECT_EQ(FormatLongTime(moment), "7:05:09");
    EXPECT_EQ(FormatLongTime(EncodeTime(0, 0, 5)), "0:00:05");
    EXPECT_EQ(FormatShortDate(moment), "2002/08/22");
}

TEST(DateTime, NamesEveryDayOfTheWeek) {
    // 2026-12-06 is a Sunday.
    const char* names[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int i = 0; i < 14; ++i) {
        const DateTime day = EncodeDate(2026, 12, 6 + i);
        EXPECT_EQ(DayName(day), names[i % 7]);
        EXPECT_EQ(DayOfWeek(day), i % 7 + 1);
    }
}

TEST(DateTime, RepeatedHalfHoursDoNotDrift) {
    DateTime t = EncodeTime(8, 0, 0);
    for (int i = 0; i < 47; ++i) {
        t = AddSeconds(t, 30 * 60);
    }
    EXPECT_EQ(FormatScheduleTime(t), "07:30:00");
    EXPECT_EQ(DecodeDate(t).Day, 31); // the next day (1899-12-31)
}

TEST(DateTime, MonthStepsTakeTheMonthsLastDay) {
    EXPECT_EQ(FormatShortDate(IncMonth(EncodeDate(2023, 1, 31), 1)), "2023/02/28");
    EXPECT_EQ(FormatShortDate(IncMonth(EncodeDate(2024, 1, 31), 1)), "2024/02/29");
    EXPECT_EQ(FormatShortDate(IncMonth(EncodeDate(2024, 2, 29), 12)), "2025/02/28");
    EXPECT_EQ(FormatShortDate(IncMonth(EncodeDate(2023, 12, 15), 1)), "2024/01/15");
    EXPECT_EQ(FormatShortDate(IncMonth(EncodeDate(2024, 1, 15), -1)), "2023/12/15");
    const DateTime withTime = EncodeDate(2023, 3, 31) + EncodeTime(6, 30, 0);
    EXPECT_EQ(FormatScheduleTime(IncMonth(withTime, 1)), "06:30:00");
}

TEST(DateTime, ReadsDatesFromFixedPositions) {
    ASSERT_TRUE(ReadScheduleDate("2002/08/22/木").has_value());
    EXPECT_EQ(*ReadScheduleDate("2002/08/22/木"), EncodeDate(2002, 8, 22));
    EXPECT_EQ(ReadScheduleDate("2002/8/2/金"), std::optional<DateTime>(EncodeDate(2002, 8, 2)));
    EXPECT_FALSE(ReadScheduleDate("").has_value());
    EXPECT_FALSE(ReadScheduleDate("2002/02/30/木").has_value());
    EXPECT_FALSE(ReadScheduleDate("abcd/ef/gh/木").has_value());
    EXPECT_FALSE(ReadScheduleDate("2002-08-22").has_value());
}

TEST(DateTime, TwoDigitYearsFallInTheWindowAroundTheCurrentYear) {
    EXPECT_EQ(*ReadTwoDigitYearDate("2026/12/07/月", 2026), EncodeDate(2026, 12, 7));
    EXPECT_EQ(*ReadTwoDigitYearDate("2075/01/01/火", 2026), EncodeDate(2075, 1, 1));
    EXPECT_EQ(*ReadTwoDigitYearDate("1976/01/01/木", 2026), EncodeDate(1976, 1, 1));
    // Outside the window the century is the window's, not the stored one.
    EXPECT_EQ(*ReadTwoDigitYearDate("1950/06/01/木", 2026), EncodeDate(2050, 6, 1));
    EXPECT_FALSE(ReadTwoDigitYearDate("20", 2026).has_value());
    EXPECT_FALSE(ReadTwoDigitYearDate("", 2026).has_value());
}

TEST(DateTime, ReadsTimesOfDay) {
    EXPECT_EQ(*ReadTime("07:00:00"), EncodeTime(7, 0, 0));
    EXPECT_EQ(*ReadTime("0:00:05"), EncodeTime(0, 0, 5));
    EXPECT_EQ(*ReadTime(" 23:59 "), EncodeTime(23, 59, 0));
    for (const char* bad : {"", "24:00:00", "12:60:00", "12:00:61", "7", "ab:cd", "12:00:",
                            "12:00:00x", "-1:00:00"}) {
        EXPECT_FALSE(ReadTime(bad).has_value()) << bad;
    }
}

TEST(DateTime, ConvertsUnixTimeToLocalTime) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    // 2002-08-21 22:00:00 UTC is 07:00 on the 22nd in Tokyo.
    const std::int64_t unixMs = 1029967200000LL;
    EXPECT_EQ(FormatScheduleDate(FromUnixMilliseconds(unixMs)), "2002/08/22/木");
    EXPECT_EQ(FormatScheduleTime(FromUnixMilliseconds(unixMs)), "07:00:00");
    EXPECT_EQ(ToUnixMilliseconds(FromUnixMilliseconds(unixMs + 250)), unixMs + 250);
    if (old) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

} // namespace
} // namespace rimo
