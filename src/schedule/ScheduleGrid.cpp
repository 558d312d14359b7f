#include "schedule/ScheduleGrid.h"

#include "schedule/ScheduleCellDelegate.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleGridModel.h"

#include <QHeaderView>
#include <QPaintEvent>

#include <algorithm>

namespace rimo {

ScheduleGrid::ScheduleGrid(ScheduleTable& table, QWidget* parent)
    : QTableView(parent), model_(new ScheduleGridModel(table, this)) {
    setObjectName(QStringLiteral("StringGrid1"));
    setModel(model_);
    setItemDelegate(new ScheduleCellDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setMouseTracking(true);
    horizontalHeader()->setSectionsClickable(false);
    for (int column = 0; column < kScheduleColumns; ++column) {
        setColumnWidth(column, kColumnWidths[column]);
    }
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    viewport()->setMouseTracking(true);

    // A reset (a sort, a reload) keeps the current cell where it was.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        beforeReset_ = {CurrentColumn(), CurrentTableRow()};
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (beforeReset_.Row > 0 && model_->rowCount() > 0) {
            SetCurrentCell(beforeReset_.Column, std::min(beforeReset_.Row, model_->rowCount()));
        }
    });
}

ScheduleGrid::~ScheduleGrid() {
    Q_EMIT Destroying();
}

ScheduleTable& ScheduleGrid::Table() {
    return model_->Table();
}

void ScheduleGrid::SetDefaultRowHeight(int height) {
    const int section = std::max(1, height) + kGridLineWidth;
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(section);
    horizontalHeader()->setFixedHeight(section);
}

int ScheduleGrid::DefaultRowHeight() const {
    return verticalHeader()->defaultSectionSize() - kGridLineWidth;
}

int ScheduleGrid::CurrentTableRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? ScheduleGridModel::TableRow(current.row()) : 0;
}

int ScheduleGrid::CurrentColumn() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

void ScheduleGrid::SetCurrentCell(int column, int tableRow) {
    const QModelIndex target = model_->index(ScheduleGridModel::ModelRow(tableRow), column);
    if (!target.isValid()) {
        return;
    }
    // The selection follows the current cell, whole row or single cell.
    const QItemSelectionModel::SelectionFlags how =
        QItemSelectionModel::ClearAndSelect |
        (RowSelectDisplay() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    selectionModel()->setCurrentIndex(target, how);
}

std::optional<GridCell> ScheduleGrid::CellAtViewport(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    if (!index.isValid()) {
        return std::nullopt;
    }
    return GridCell{index.column(), ScheduleGridModel::TableRow(index.row())};
}

std::optional<GridCell> ScheduleGrid::CellAtHeader(const QPoint& point) const {
    const int column = horizontalHeader()->logicalIndexAt(point);
    if (column < 0) {
        return std::nullopt;
    }
    return GridCell{column, 0};
}

QRect ScheduleGrid::CellRect(int column, int tableRow) const {
    return visualRect(model_->index(ScheduleGridModel::ModelRow(tableRow), column));
}

bool ScheduleGrid::EditCurrentCell() {
    const QModelIndex current = currentIndex();
    return current.isValid() && edit(current, QAbstractItemView::EditKeyPressed, nullptr);
}

void ScheduleGrid::SetRowSelectDisplay(bool on) {
    if (on == RowSelectDisplay()) {
        return;
    }
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        selectionModel()->select(
            current, QItemSelectionModel::ClearAndSelect |
                         (on ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
    }
}

bool ScheduleGrid::RowSelectDisplay() const {
    return selectionBehavior() == QAbstractItemView::SelectRows;
}

void ScheduleGrid::paintEvent(QPaintEvent* event) {
    // Rows shown for the first time get their defaults. Only the rows in the
    // painted area are looked at, so a long table costs nothing extra.
    const int first = rowAt(event->rect().top());
    if (first >= 0) {
        int last = rowAt(event->rect().bottom());
        if (last < 0) {
            last = model_->rowCount() - 1; // the area reaches below the last row
        }
        for (int r = first; r <= last; ++r) {
            WriteRowDefaults(Table(), ScheduleGridModel::TableRow(r));
        }
    }
    QTableView::paintEvent(event);
}

} // namespace rimo
