#pragma once

#include "schedule/ScheduleTable.h"

#include <QTableView>

#include <array>
#include <optional>

namespace rimo {

class ScheduleGridModel;

// A cell of the grid: table row 0 is the header row.
struct GridCell {
    int Column = 0;
    int Row = 0;
};

// "StringGrid1": the schedule table shown as a grid, the header row on top.
// Every cell is one line, vertically centred; a row gets its "しない" and "×"
// the first time it is painted. The cell editors and menus are the
// ScheduleEditor's; this class only shows the table.
class ScheduleGrid : public QTableView {
    Q_OBJECT
public:
    // The designed widths, but for the date column: a date with its day name
    // (and the date picker with its drop-down button) needs 100 pixels in the
    // Japanese fonts of Linux, taken from the message column.
    static constexpr std::array<int, kScheduleColumns> kColumnWidths{79, 54,  100, 64,
                                                                     64, 200, 50,  32};
    static constexpr int kGridLineWidth = 1;

    explicit ScheduleGrid(ScheduleTable& table, QWidget* parent = nullptr);
    ~ScheduleGrid() override;

    ScheduleGridModel* Model() const { return model_; }
    ScheduleTable& Table();

    // The height of a cell without its grid line. Set to a drop-down list's
    // height minus the line, a cell editor laid one pixel beyond each edge of
    // a cell covers the row exactly.
    void SetDefaultRowHeight(int height);
    int DefaultRowHeight() const;

    // The current table row (1 = first schedule row), 0 when there is none.
    int CurrentTableRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int column, int tableRow);

    // The cell under a point of the viewport or of the header; none outside.
    std::optional<GridCell> CellAtViewport(const QPoint& point) const;
    std::optional<GridCell> CellAtHeader(const QPoint& point) const;
    // The rectangle of a schedule cell in viewport coordinates, without its
    // grid line; empty when the cell is not there.
    QRect CellRect(int column, int tableRow) const;

    // Opens the typing editor on the current cell; false where typing is off.
    bool EditCurrentCell();
    // A cell is being typed into.
    bool IsTyping() const { return state() == QAbstractItemView::EditingState; }
    // The typing editor open on `index`, if any.
    QWidget* TypingEditor(const QModelIndex& index) const;

    // Focus to the next (or previous) control outside the grid: Tab and
    // Backtab move between cells, Ctrl+Tab, Ctrl+Shift+Tab and Esc leave.
    void LeaveGrid(bool forward);

    // Whole-row selection display on or off.
    void SetRowSelectDisplay(bool on);
    bool RowSelectDisplay() const;

Q_SIGNALS:
    // Sent first thing on destruction, while the grid is still whole.
    void Destroying();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A screen reader hears of the current cell only while the grid has the
    // focus, by the cell's index among the grid's accessible children.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void FitWordColumns();
    void AnnounceCurrentCell();

    ScheduleGridModel* model_;
    // The current cell across a reset of the model (a sort, a reload).
    GridCell beforeReset_;
};

} // namespace rimo
