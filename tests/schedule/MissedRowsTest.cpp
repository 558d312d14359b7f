#include "schedule/MissedRows.h"

#include "schedule/PassFixture.h"

namespace rimo {
namespace {

std::vector<std::string> Titles(const std::vector<MissedRow>& rows) {
    std::vector<std::string> titles;
    for (const MissedRow& row : rows) {
        titles.push_back(row.Row[ColTitle]);
    }
    return titles;
}

TEST(MissedRows, TheEnabledRowsDueInTheSpanEachOnceWithItsOccurrences) {
    ScheduleTable table;
    table.ReplaceScheduleRows({
        Row("before", "", AddSeconds(kTen, -1)),
        Row("first second", "", kTen),
        Row("off", "", AddSeconds(kTen, 10), "しない", "×"),
        Row("hourly", "毎時", AddSeconds(kTen, 60)),
        Row("daily", "毎日", AddSeconds(kTen, 120)),
        Row("at the end", "", AddSeconds(kTen, 5 * 3600)),
    });
    // 10:00:00 to before 15:00:00.
    const std::vector<MissedRow> missed = RowsDueBetween(table, kTen, AddSeconds(kTen, 5 * 3600));
    EXPECT_EQ(Titles(missed), (std::vector<std::string>{"first second", "hourly", "daily"}));
    // 10:01, 11:01, 12:01, 13:01 and 14:01.
    EXPECT_EQ(missed[1].Count, 5);
    EXPECT_EQ(missed[1].FirstDue, AddSeconds(kTen, 60));
    EXPECT_EQ(missed[1].LastDue, AddSeconds(kTen, 4 * 3600 + 60));
    EXPECT_EQ(missed[2].Count, 1);
    EXPECT_EQ(missed[2].LastDue, missed[2].FirstDue);
    // The row as it stood: the span's rows are not moved by being found.
    EXPECT_EQ(missed[1].Row, table.Row(4));

    // Half-hourly through 500 days away: 48 a day, the last half an hour before the end.
    ScheduleTable halfHourly;
    halfHourly.ReplaceScheduleRows({Row("half-hourly", "30分毎", kTen)});
    const std::vector<MissedRow> away = RowsDueBetween(halfHourly, kTen, AddDays(kTen, 500));
    ASSERT_EQ(away.size(), 1u);
    EXPECT_EQ(away[0].Count, 500 * 48);
    EXPECT_EQ(away[0].LastDue, AddSeconds(AddDays(kTen, 500), -1800));
}

TEST(MissedRows, ARepetitionThatCannotMoveIsCountedOnce) {
    // "土日" on a Friday (kTen) stays where it is when stepped.
    ScheduleTable table;
    table.ReplaceScheduleRows({Row("weekend", "土日", kTen)});
    const std::vector<MissedRow> missed = RowsDueBetween(table, kTen, AddDays(kTen, 30));
    ASSERT_EQ(missed.size(), 1u);
    EXPECT_EQ(missed[0].Count, 1);
}

TEST(MissedRows, RowsDueBeforeAMomentAreTheCandidates) {
    ScheduleTable table;
    table.ReplaceScheduleRows({Row("past", "毎日", AddSeconds(kTen, -60)),
                               Row("off", "", AddSeconds(kTen, -60), "しない", "×"),
                               Row("ahead", "", AddSeconds(kTen, 60))});
    const ScheduleTable passed = RowsDueBefore(table, kTen);
    ASSERT_EQ(passed.RowCount(), 2);
    EXPECT_EQ(passed.Row(0), ScheduleHeader());
    EXPECT_EQ(passed.Cell(ColTitle, 1), "past");
}

} // namespace
} // namespace rimo
