#pragma once

#include "schedule/DueIndex.h"
#include "schedule/ScheduleRow.h"

#include <functional>
#include <string>
#include <vector>

namespace rimo {

// The header row's texts.
const ScheduleRow& ScheduleHeader();

// Told about every change of a table, so that a view can follow it.
class ScheduleTableObserver {
public:
    virtual ~ScheduleTableObserver() = default;
    virtual void BeginReset() {}
    virtual void EndReset() {}
    virtual void BeginInsertRows(int /*first*/, int /*count*/) {}
    virtual void EndInsertRows() {}
    virtual void BeginRemoveRows(int /*first*/, int /*count*/) {}
    virtual void EndRemoveRows() {}
    virtual void CellChanged(int /*column*/, int /*row*/) {}
};

// The schedule: row 0 is the header, rows 1 to RowCount() - 1 are schedule
// rows of eight texts. The one source of truth; the grid is a view of it.
class ScheduleTable {
public:
    // The designed table: the header and 8 empty rows.
    ScheduleTable();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return kScheduleColumns; }

    const std::string& Cell(int column, int row) const { return rows_[row][column]; }
    void SetCell(int column, int row, std::string text);
    const ScheduleRow& Row(int row) const { return rows_[row]; }
    const std::vector<ScheduleRow>& Rows() const { return rows_; }
    // The schedule row holding exactly `cells`: `near` while it still does,
    // else the first such row; 0 when none does. Finds a row again after a
    // wait in which ticks may have moved, changed or deleted rows.
    int FindRow(const ScheduleRow& cells, int near) const;

    // Header included; at least 1 (the grid's minimum). New rows are empty.
    void SetRowCount(int count);
    void InsertRow(int at); // an empty row at `at`; rows from there move down
    void RemoveRow(int at);
    void AddRow();      // an empty row at the end
    void WriteHeader(); // the header texts into row 0
    // Replaces every row (header included) at once.
    void Assign(std::vector<ScheduleRow> rows);
    // Replaces rows 1.. with `rows` (the count stays the same).
    void ReplaceScheduleRows(std::vector<ScheduleRow> rows);

    void SetObserver(ScheduleTableObserver* observer) { observer_ = observer; }

    // The seconds in which enabled rows are due, following every change.
    const DueIndex& Due() const { return due_; }
    // Called after every change of the schedule rows (cells, rows added,
    // removed or replaced), once per operation. The tick's source learns
    // that the next due row may have changed.
    void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

    // Upper bound of rows a table may hold; files claiming more are refused.
    static constexpr int kMaxRows = 1'000'000;

private:
    void Changed() const {
        if (changed_) {
            changed_();
        }
    }

    std::vector<ScheduleRow> rows_;
    ScheduleTableObserver* observer_ = nullptr;
    DueIndex due_;
    std::function<void()> changed_;
};

} // namespace rimo
