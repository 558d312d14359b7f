#pragma once

#include "schedule/SchedulePass.h"
#include "schedule/ScheduleSort.h"

#include <string>
#include <vector>

namespace rimo {

// The editor's operations on a bare table, as the editor does them: the
// delete keeps the first schedule row; the sort selects the next event.
class FakeScheduleEditing final : public ScheduleEditing {
public:
    explicit FakeScheduleEditing(ScheduleTable& table) : table_(table) {}

    int CurrentRow() const override { return Current; }
    void DeleteRow(int row) override {
        Current = row;
        Calls.push_back("Delete " + std::to_string(row));
        if (row > 1) {
            table_.RemoveRow(row);
        }
    }
    void SortAndSelectNextEvent() override {
        Calls.push_back("Sort");
        SortScheduleRows(table_);
        Current = ChooseNextEvent(table_, Now);
    }

    int Current = 1;
    DateTime Now = 0; // what the sort takes as now
    std::vector<std::string> Calls;

private:
    ScheduleTable& table_;
};

} // namespace rimo
