#include "schedule/ScheduleTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rimo {
namespace {

class RecordingObserver : public ScheduleTableObserver {
public:
    std::vector<std::string> Calls;
    void BeginReset() override { Calls.push_back("reset"); }
    void BeginInsertRows(int first, int count) override {
        Calls.push_back("insert " + std::to_string(first) + "+" + std::to_string(count));
    }
    void BeginRemoveRows(int first, int count) override {
        Calls.push_back("remove " + std::to_string(first) + "+" + std::to_string(count));
    }
    void CellChanged(int column, int row) override {
        Calls.push_back("cell " + std::to_string(column) + "," + std::to_string(row));
    }
};

TEST(ScheduleTable, StartsAsDesigned) {
    ScheduleTable table;
    EXPECT_EQ(table.RowCount(), 9);
    EXPECT_EQ(table.Row(0)[ColTitle], "タイトル");
    EXPECT_EQ(table.Row(0)[ColArgument], "メッセージ(起動パス)");
    EXPECT_EQ(table.Row(0)[ColEnabled], "有効");
    EXPECT_EQ(table.Row(8), ScheduleRow{});
}

TEST(ScheduleTable, RowOperationsShiftRowsAndTellTheView) {
    ScheduleTable table;
    table.SetRowCount(4);
    for (int r = 1; r < 4; ++r) {
        table.SetCell(ColTitle, r, "row" + std::to_string(r));
    }
    RecordingObserver observer;
    table.SetObserver(&observer);

    table.InsertRow(2);
    EXPECT_EQ(table.Cell(ColTitle, 2), "");
    EXPECT_EQ(table.Cell(ColTitle, 3), "row2");
    table.RemoveRow(1);
    EXPECT_EQ(table.Cell(ColTitle, 1), "");
    table.RemoveRow(0); // the header stays
    table.AddRow();
    table.SetCell(ColTitle, 4, "new");
    table.SetCell(ColTitle, 4, "new"); // unchanged: no call
    table.SetRowCount(0);               // the grid's minimum is one row
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_EQ(observer.Calls, (std::vector<std::string>{"insert 2+1", "remove 1+1", "insert 4+1",
                                                        "cell 0,4", "remove 1+4"}));
    table.SetObserver(nullptr);
}

TEST(ScheduleTable, ReplacingTheRowsKeepsTheHeader) {
    ScheduleTable table;
    table.ReplaceScheduleRows({ScheduleRow{"b"}, ScheduleRow{"a"}});
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Row(0), ScheduleHeader());
    EXPECT_EQ(table.Cell(ColTitle, 2), "a");
}

} // namespace
} // namespace rimo
