#include "schedule/ScheduleGridAccessible.h"

#include "schedule/CellComboBox.h"
#include "schedule/CellComboBoxAccessible.h"
#include "schedule/CellTextEditor.h"
#include "schedule/CellTextEditorAccessible.h"
#include "schedule/ScheduleCellAccessible.h"
#include "schedule/ScheduleGrid.h"

#include <QHeaderView>

namespace rimo {

namespace {

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("rimo::ScheduleGrid")) {
        return new ScheduleGridAccessible(static_cast<ScheduleGrid*>(object));
    }
    if (className == QLatin1String("rimo::CellComboBox")) {
        return new CellComboBoxAccessible(static_cast<CellComboBox*>(object));
    }
    if (className == QLatin1String("rimo::CellTextEditor")) {
        return new CellTextEditorAccessible(static_cast<CellTextEditor*>(object));
    }
    return nullptr;
}

} // namespace

ScheduleGridAccessible::ScheduleGridAccessible(ScheduleGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

ScheduleGridAccessible::~ScheduleGridAccessible() {
    ForgetChildren();
}

void ScheduleGridAccessible::Install() {
    QAccessible::installFactory(GridFactory); // kept once however often installed
}

int ScheduleGridAccessible::ChildIndex(int modelRow, int column, int columns) {
    return (modelRow + 1) * columns + column;
}

ScheduleGrid* ScheduleGridAccessible::Grid() const {
    return static_cast<ScheduleGrid*>(widget());
}

void ScheduleGridAccessible::ForgetChildren() {
    for (const QAccessible::Id id : std::as_const(children_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    children_.clear();
}

void* ScheduleGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

int ScheduleGridAccessible::columnCount() const {
    return Grid()->model()->columnCount();
}

int ScheduleGridAccessible::rowCount() const {
    return Grid()->model()->rowCount();
}

int ScheduleGridAccessible::childCount() const {
    return (rowCount() + 1) * columnCount();
}

QAccessibleInterface* ScheduleGridAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || index >= childCount() || columns <= 0) {
        return nullptr;
    }
    if (const QAccessible::Id id = children_.value(index)) {
        return QAccessible::accessibleInterface(id);
    }
    auto* cell = new ScheduleCellAccessible(Grid(), index / columns - 1, index % columns);
    children_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int ScheduleGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) {
        return -1;
    }
    const QAccessibleTableCellInterface* cell =
        const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (!cell || child->parent() != this) {
        return -1;
    }
    const int row = child->role() == QAccessible::ColumnHeader ? -1 : cell->rowIndex();
    return ChildIndex(row, cell->columnIndex(), columnCount());
}

QAccessibleInterface* ScheduleGridAccessible::childAt(int x, int y) const {
    ScheduleGrid* grid = Grid();
    const QPoint header = grid->horizontalHeader()->mapFromGlobal(QPoint(x, y));
    if (grid->horizontalHeader()->rect().contains(header)) {
        const int column = grid->horizontalHeader()->logicalIndexAt(header);
        return column < 0 ? nullptr : child(ChildIndex(-1, column, columnCount()));
    }
    const QModelIndex index = grid->indexAt(grid->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(ChildIndex(index.row(), index.column(), columnCount()))
                           : nullptr;
}

QAccessibleInterface* ScheduleGridAccessible::focusChild() const {
    const QModelIndex current = Grid()->currentIndex();
    if (!current.isValid()) {
        return nullptr;
    }
    QAccessibleInterface* cell = child(ChildIndex(current.row(), current.column(), columnCount()));
    if (Grid()->hasFocus()) {
        return cell;
    }
    // Typing: the focus is in the cell's editor.
    return cell && cell->childCount() > 0 && cell->child(0)->state().focused ? cell->child(0)
                                                                             : nullptr;
}

QAccessibleInterface* ScheduleGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return child(ChildIndex(row, column, columnCount()));
}

int ScheduleGridAccessible::selectedCellCount() const {
    return static_cast<int>(Grid()->selectionModel()->selectedIndexes().size());
}

QList<QAccessibleInterface*> ScheduleGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const QModelIndex& index : Grid()->selectionModel()->selectedIndexes()) {
        cells.append(cellAt(index.row(), index.column()));
    }
    return cells;
}

QString ScheduleGridAccessible::columnDescription(int column) const {
    return Grid()->model()->headerData(column, Qt::Horizontal).toString();
}

void ScheduleGridAccessible::modelChange(QAccessibleTableModelChangeEvent* event) {
    // Rows added, removed or reordered move every cell's index: the cells are
    // made afresh when asked for. A changed text needs nothing.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) {
        ForgetChildren();
    }
}

} // namespace rimo
