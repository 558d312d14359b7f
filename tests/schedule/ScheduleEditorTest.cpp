#include "schedule/ScheduleEditor.h"

#include "app/MainWindowState.h"
#include "fakes/FakeClock.h"
#include "schedule/ScheduleGrid.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

class ScheduleEditorTest : public ::testing::Test {
protected:
    ScheduleEditorTest() : grid_(table_), editor_(grid_, state_, clock_) {
        clock_.SetLocal(EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0));
        table_.SetRowCount(6);
        for (int r = 1; r < 6; ++r) {
            table_.SetCell(ColTitle, r, "row" + std::to_string(r));
        }
    }

    ScheduleTable table_;
    MainWindowState state_;
    FakeClock clock_;
    ScheduleGrid grid_;
    ScheduleEditor editor_;
};

TEST_F(ScheduleEditorTest, DeleteNeverTakesTheFirstRow) {
    grid_.SetCurrentCell(0, 1);
    editor_.Delete1Click();
    EXPECT_EQ(table_.RowCount(), 6);
    grid_.SetCurrentCell(0, 3);
    editor_.Delete1Click();
    EXPECT_EQ(table_.RowCount(), 5);
    EXPECT_EQ(table_.Cell(ColTitle, 3), "row4");
}

TEST_F(ScheduleEditorTest, InsertLeavesAnEmptyRowAtTheCurrentRow) {
    grid_.SetCurrentCell(0, 2);
    editor_.Insert1Click();
    EXPECT_EQ(table_.RowCount(), 7);
    EXPECT_EQ(table_.Cell(ColTitle, 2), "");
    EXPECT_EQ(table_.Cell(ColTitle, 3), "row2");
    EXPECT_EQ(grid_.CurrentTableRow(), 2);
    editor_.Add1Click();
    EXPECT_EQ(table_.RowCount(), 8);
    EXPECT_EQ(grid_.model()->rowCount(), 7);
}

TEST_F(ScheduleEditorTest, SortSelectsTheNextEventAndAsksForANewTitle) {
    table_.Assign({ScheduleHeader(),
                   {"later", "", "2026/12/10/木", "12:00:00", "警告音", "", "しない", "○"},
                   {"sooner", "", "2026/12/09/水", "18:00:00", "警告音", "", "しない", "○"},
                   {"undated", "", "", "", "", "", "しない", "×"}});
    editor_.SortButtonClick();
    EXPECT_EQ(table_.Cell(ColTitle, 1), "undated");
    EXPECT_EQ(grid_.CurrentTableRow(), 2);
    EXPECT_EQ(grid_.CurrentColumn(), 0);
    EXPECT_TRUE(state_.TitleRefreshPending);
    editor_.Test1Click();
    EXPECT_TRUE(state_.TestRequested);
}

} // namespace
} // namespace rimo
