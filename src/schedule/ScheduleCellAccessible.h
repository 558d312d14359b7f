#pragma once

#include <QAccessible>
#include <QPointer>

namespace rimo {

class ScheduleGrid;

// One cell of the schedule grid (model row, column), or with row -1 the
// header of a column, for ScheduleGridAccessible.
class ScheduleCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ScheduleCellAccessible(ScheduleGrid* grid, int modelRow, int column);

    bool IsHeader() const { return row_ < 0; }

    void* interface_cast(QAccessible::InterfaceType type) override;
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    // The typing editor open on this cell, if any.
    QWidget* Editor() const;

    QPointer<ScheduleGrid> grid_;
    int row_;
    int column_;
};

} // namespace rimo
