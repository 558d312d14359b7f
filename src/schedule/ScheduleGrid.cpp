#include "schedule/ScheduleGrid.h"

#include "core/DateTime.h"
#include "schedule/CellTextEditor.h"
#include "schedule/ScheduleCellDelegate.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleGridAccessible.h"
#include "schedule/ScheduleGridModel.h"
#include "schedule/ScheduleTable.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPaintEvent>

#include <algorithm>

namespace rimo {

namespace {

// The stored words a column can hold (dates by their day names).
std::vector<std::string> StoredWords(int column) {
    if (column != ColDate) {
        const std::vector<std::string>* words = ColumnChoices(column);
        return words ? *words : std::vector<std::string>();
    }
    std::vector<std::string> dates;
    for (const char* day : DayNames()) {
        dates.push_back(std::string("2030/12/31/") + day);
    }
    return dates;
}

} // namespace

ScheduleGrid::ScheduleGrid(ScheduleTable& table, QWidget* parent)
    : QTableView(parent), model_(new ScheduleGridModel(table, this)) {
    ScheduleGridAccessible::Install();
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
    FitWordColumns();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    viewport()->setMouseTracking(true);
    setAccessibleName(tr("スケジュール"));
    // The hints speak of the mouse; the keyboard's way is told here.
    setAccessibleDescription(
        tr("Tab と Shift+Tab でセルを移動、Enter・F2・F4・Alt+下矢印でセルを編集、"
           "Menu キーか Shift+F10 で行のメニュー、Ctrl+Tab・Ctrl+Shift+Tab・Esc "
           "で表の外へ移ります。"));
    connect(static_cast<ScheduleCellDelegate*>(itemDelegate()),
            &ScheduleCellDelegate::LeaveRequested, this, &ScheduleGrid::LeaveGrid);

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

// A column of stored words grows to its widest word as shown (English is
// wider than the Japanese the widths were designed for), taking the room
// from the message column.
void ScheduleGrid::FitWordColumns() {
    const QFontMetrics cells(font());
    const QFontMetrics header(horizontalHeader()->font());
    constexpr int kWordSpace = 4; // the grid line and a little air before the next column
    int taken = 0;
    for (const int column : {ColRepeat, ColDate, ColAction, ColDelete, ColEnabled}) {
        int widest = header.horizontalAdvance(
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        for (const std::string& word : StoredWords(column)) {
            widest =
                std::max(widest, cells.horizontalAdvance(ScheduleGridModel::Shown(column, word)));
        }
        const int added = std::max(0, widest + kWordSpace - columnWidth(column));
        setColumnWidth(column, columnWidth(column) + added);
        taken += added;
    }
    constexpr int kLeastMessageWidth = 100;
    setColumnWidth(ColArgument, std::max(kLeastMessageWidth, columnWidth(ColArgument) - taken));
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

QWidget* ScheduleGrid::TypingEditor(const QModelIndex& index) const {
    if (!IsTyping()) {
        return nullptr;
    }
    for (CellTextEditor* editor :
         viewport()->findChildren<CellTextEditor*>(Qt::FindDirectChildrenOnly)) {
        if (editor->Cell() == index && editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

void ScheduleGrid::AnnounceCurrentCell() {
    const QModelIndex current = currentIndex();
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(ScheduleGridAccessible::ChildIndex(current.row(), current.column(),
                                                          model_->columnCount()));
        QAccessible::updateAccessibility(&event);
    }
}

void ScheduleGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // Not QTableView's: it counts a row header per row and speaks even
    // while another control has the focus.
    QAbstractItemView::currentChanged(current, previous);
    AnnounceCurrentCell();
}

void ScheduleGrid::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    // Not QTableView's, for the same reason; the focus event names the cell.
    QAbstractItemView::selectionChanged(selected, deselected);
}

void ScheduleGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    // The grid itself is announced once its focus is complete; the cell the
    // keys act on comes after it.
    QMetaObject::invokeMethod(this, &ScheduleGrid::AnnounceCurrentCell, Qt::QueuedConnection);
}

void ScheduleGrid::LeaveGrid(bool forward) {
    // Without Tab navigation the view hands Tab on to the window's focus chain.
    setTabKeyNavigation(false);
    focusNextPrevChild(forward);
    setTabKeyNavigation(true);
}

void ScheduleGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (modifiers & Qt::ControlModifier)) {
        LeaveGrid(event->key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        LeaveGrid(true); // no editor is open here: an open one takes its Esc itself
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
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
