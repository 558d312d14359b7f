#include "schedule/ScheduleGrid.h"

#include "schedule/ScheduleGridModel.h"

#include <QHeaderView>

namespace rimo {

ScheduleGrid::ScheduleGrid(ScheduleTable& table, QWidget* parent)
    : QTableView(parent), model_(new ScheduleGridModel(table, this)) {
    setObjectName(QStringLiteral("StringGrid1"));
    setModel(model_);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int column = 0; column < kScheduleColumns; ++column) {
        setColumnWidth(column, kColumnWidths[column]);
    }
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

ScheduleTable& ScheduleGrid::Table() {
    return model_->Table();
}

void ScheduleGrid::SetDefaultRowHeight(int height) {
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

int ScheduleGrid::DefaultRowHeight() const {
    return verticalHeader()->defaultSectionSize();
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
    if (target.isValid()) {
        setCurrentIndex(target);
    }
}

} // namespace rimo
