#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace rimo {

class ScheduleGrid;

// The schedule grid as a screen reader sees it: a table whose children are
// the column headers, then the cells row by row. The grid shows no row
// headers, and none are offered. The current cell reports the focus only
// while the grid itself has it (an editor or another control may have it),
// and a cell being typed into holds its editor as its child.
class ScheduleGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ScheduleGridAccessible(ScheduleGrid* grid);
    ~ScheduleGridAccessible() override;

    // The factory that makes this interface for every ScheduleGrid.
    static void Install();
    // The child index of a cell (model row and column) or, with row -1, of a
    // column header.
    static int ChildIndex(int modelRow, int column, int columns);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // Selecting from outside is not offered: the current cell drives the editors.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    ScheduleGrid* Grid() const;
    void ForgetChildren();

    // Child interfaces made so far, by child index (owned by Qt's cache).
    mutable QHash<int, QAccessible::Id> children_;
};

} // namespace rimo
