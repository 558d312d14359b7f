#pragma once

#include "schedule/ScheduleGrid.h"

#include <QObject>
#include <QString>

#include <optional>

namespace rimo {

// The grid's hint: chosen by the column of the cell under the pointer (the
// header row included), a quoted path shown without quotes and shortened;
// after a click, the text of the current cell.
class ScheduleGridHints : public QObject {
    Q_OBJECT
public:
    explicit ScheduleGridHints(ScheduleGrid& grid, QObject* parent = nullptr);

    // The hint the grid shows now.
    const QString& Hint() const { return hint_; }

    void StringGrid1MouseMove(const std::optional<GridCell>& cell);
    void StringGrid1MouseUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetHint(const QString& hint);

    ScheduleGrid& grid_;
    QString hint_;
};

} // namespace rimo
