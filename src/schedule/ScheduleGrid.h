#pragma once

#include "schedule/ScheduleTable.h"

#include <QTableView>

#include <array>

namespace rimo {

class ScheduleGridModel;

// "StringGrid1": the schedule table shown as a grid, the header row on top.
class ScheduleGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr std::array<int, kScheduleColumns> kColumnWidths{79, 54,  80, 64,
                                                                     64, 220, 50, 32};

    explicit ScheduleGrid(ScheduleTable& table, QWidget* parent = nullptr);

    ScheduleGridModel* Model() const { return model_; }
    ScheduleTable& Table();

    // Rows as high as a drop-down list minus the grid line, so that a cell
    // editor laid over a row covers it exactly.
    void SetDefaultRowHeight(int height);
    int DefaultRowHeight() const;

    // The current table row (1 = first schedule row), 0 when there is none.
    int CurrentTableRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int column, int tableRow);

private:
    ScheduleGridModel* model_;
};

} // namespace rimo
