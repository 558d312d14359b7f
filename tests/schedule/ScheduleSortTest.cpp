#include "schedule/ScheduleSort.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

const DateTime kNow = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);

ScheduleRow Row(const std::string& title, const std::string& date, const std::string& time,
                const std::string& enabled = "○") {
    return {title, "", date, time, "警告音", "", "しない", enabled};
}

std::vector<std::string> Titles(const ScheduleTable& table) {
    std::vector<std::string> titles;
    for (int r = 1; r < table.RowCount(); ++r) {
        titles.push_back(table.Cell(ColTitle, r));
    }
    return titles;
}

TEST(ScheduleSort, OrdersByDateAndTimeWithUndatedRowsFirst) {
    ScheduleTable table;
    table.ReplaceScheduleRows({Row("two days", "2026/12/10/木", "12:00:00"),
                               Row("one day", "2026/12/09/水", "18:00:00"), Row("undated", "", ""),
                               Row("same day earlier", "2026/12/09/水", "08:00:00")});
    SortScheduleRows(table);
    EXPECT_EQ(Titles(table), (std::vector<std::string>{"undated", "same day earlier", "one day",
                                                       "two days"}));
    EXPECT_EQ(table.Row(0), ScheduleHeader());
}

TEST(ScheduleSort, TheNextEventIsTheFirstEnabledRowAhead) {
    ScheduleTable table;
    table.ReplaceScheduleRows({Row("undated", "", ""), Row("past", "2026/12/08/火", "09:59:59"),
                               Row("disabled", "2026/12/08/火", "10:00:01", "×"),
                               Row("now", "2026/12/08/火", "10:00:00"),
                               Row("next", "2026/12/09/水", "08:00:00")});
    EXPECT_EQ(ChooseNextEvent(table, kNow), 5);
}

TEST(ScheduleSort, WithoutAnEnabledRowAheadRowOneIsChosen) {
    ScheduleTable table;
    table.ReplaceScheduleRows({Row("past", "2026/12/01/火", "09:00:00"),
                               Row("disabled", "2026/12/09/水", "09:00:00", "×")});
    EXPECT_EQ(ChooseNextEvent(table, kNow), 1);
}

TEST(ScheduleSort, RowsThatCannotBeReadArePassedOver) {
    ScheduleTable table;
    table.ReplaceScheduleRows({Row("no time", "2026/12/09/水", ""),
                               Row("bad date", "someday", "09:00:00"),
                               Row("fine", "2026/12/10/木", "09:00:00")});
    SortScheduleRows(table);
    EXPECT_EQ(table.Cell(ColTitle, ChooseNextEvent(table, kNow)), "fine");
}

} // namespace
} // namespace rimo
