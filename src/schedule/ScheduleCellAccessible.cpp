#include "schedule/ScheduleCellAccessible.h"

#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleGridAccessible.h"

#include <QHeaderView>

namespace rimo {

ScheduleCellAccessible::ScheduleCellAccessible(ScheduleGrid* grid, int modelRow, int column)
    : grid_(grid), row_(modelRow), column_(column) {}

void* ScheduleCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
}

bool ScheduleCellAccessible::isValid() const {
    return grid_ && row_ < grid_->model()->rowCount() && column_ < grid_->model()->columnCount();
}

QAccessibleInterface* ScheduleCellAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(grid_.data());
}

QWidget* ScheduleCellAccessible::Editor() const {
    if (!isValid() || IsHeader()) {
        return nullptr;
    }
    return grid_->TypingEditor(grid_->model()->index(row_, column_));
}

int ScheduleCellAccessible::childCount() const {
    return Editor() ? 1 : 0;
}

QAccessibleInterface* ScheduleCellAccessible::child(int index) const {
    QWidget* editor = Editor();
    return index == 0 && editor ? QAccessible::queryAccessibleInterface(editor) : nullptr;
}

int ScheduleCellAccessible::indexOfChild(const QAccessibleInterface* child) const {
    QWidget* editor = Editor();
    return editor && child && child->object() == editor ? 0 : -1;
}

QAccessibleInterface* ScheduleCellAccessible::childAt(int x, int y) const {
    QAccessibleInterface* editor = child(0);
    return editor && editor->rect().contains(x, y) ? editor : nullptr;
}

QString ScheduleCellAccessible::text(QAccessible::Text type) const {
    if (!isValid() || type != QAccessible::Name) {
        return {};
    }
    if (IsHeader()) {
        return grid_->model()->headerData(column_, Qt::Horizontal).toString();
    }
    return grid_->model()->index(row_, column_).data(Qt::DisplayRole).toString();
}

QRect ScheduleCellAccessible::rect() const {
    if (!isValid()) {
        return {};
    }
    if (IsHeader()) {
        const QHeaderView* header = grid_->horizontalHeader();
        const QRect section(header->sectionViewportPosition(column_), 0,
                            header->sectionSize(column_), header->height());
        return QRect(header->viewport()->mapToGlobal(section.topLeft()), section.size());
    }
    const QRect cell = grid_->visualRect(grid_->model()->index(row_, column_));
    return QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role ScheduleCellAccessible::role() const {
    return IsHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State ScheduleCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const QRect visible(grid_->viewport()->mapToGlobal(QPoint(0, 0)), grid_->viewport()->size());
    if (!grid_->isVisible() || (!IsHeader() && !visible.intersects(rect()))) {
        state.invisible = true;
    }
    if (IsHeader()) {
        return state;
    }
    const QModelIndex index = grid_->model()->index(row_, column_);
    state.focusable = true;
    state.selectable = true;
    state.selected = grid_->selectionModel()->isSelected(index);
    // Only while the grid itself has the keyboard: not when a cell editor or
    // another control has it.
    state.focused = grid_->hasFocus() && grid_->currentIndex() == index;
    state.editable = (index.flags() & Qt::ItemIsEditable) != 0;
    return state;
}

bool ScheduleCellAccessible::isSelected() const {
    return isValid() && !IsHeader() &&
           grid_->selectionModel()->isSelected(grid_->model()->index(row_, column_));
}

QList<QAccessibleInterface*> ScheduleCellAccessible::columnHeaderCells() const {
    QAccessibleInterface* table = parent();
    if (!isValid() || IsHeader() || !table) {
        return {};
    }
    return {table->child(
        ScheduleGridAccessible::ChildIndex(-1, column_, grid_->model()->columnCount()))};
}

} // namespace rimo
