#include "schedule/ScheduleEditor.h"

#include "i18n/Translations.h"

#include "core/MainWindowState.h"
#include "core/UserMessages.h"
#include "platform/Clock.h"
#include "schedule/CellComboBox.h"
#include "schedule/ScheduleCellEditors.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleFileInput.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleGridHints.h"
#include "schedule/ScheduleGridModel.h"
#include "schedule/SchedulePopupMenu.h"
#include "schedule/ScheduleSort.h"

#include <QAction>
#include <QFocusEvent>

namespace rimo {

using namespace ScheduleTexts;

namespace {

constexpr QAbstractItemView::EditTriggers kTypingTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

std::string Chosen(const CellComboBox* combo) {
    return combo->ChosenText().toStdString();
}

} // namespace

ScheduleEditor::ScheduleEditor(ScheduleGrid& grid, MainWindowState& state, const Clock& clock,
                               QObject* parent)
    : QObject(parent), grid_(grid), state_(state), clock_(clock),
      host_(grid.parentWidget() ? grid.parentWidget() : &grid) {
    cellEditors_ = new ScheduleCellEditors(grid_, host_, this);
    popupMenu_ = new SchedulePopupMenu(grid_, host_, this);
    hints_ = new ScheduleGridHints(grid_, this);
    fileInput_ = new ScheduleFileInput(grid_, host_->window(), this);

    connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !gridGone_) {
                    StringGrid1SelectCell(current.column(),
                                          ScheduleGridModel::TableRow(current.row()));
                }
            });
    connect(&grid_, &ScheduleGrid::Destroying, this, &ScheduleEditor::GridGoing);
    grid_.installEventFilter(this);

    const ScheduleCellEditors& editors = *cellEditors_;
    connect(editors.ComboBox1(), &QComboBox::activated, this, &ScheduleEditor::ComboBox1Change);
    connect(editors.ComboBox2(), &QComboBox::activated, this, &ScheduleEditor::ComboBox2Change);
    connect(editors.ComboBox3(), &QComboBox::activated, this, &ScheduleEditor::ComboBox3Change);
    connect(editors.ComboBox4(), &QComboBox::activated, this, &ScheduleEditor::ComboBox4Change);
    connect(editors.ComboBox5(), &QComboBox::activated, this, &ScheduleEditor::ComboBox5Change);
    connect(cellEditors_, &ScheduleCellEditors::DatePicked, this,
            &ScheduleEditor::DateTimePicker1Change);
    // Each change is in the cell at once: a close or a session end that
    // follows finds it there, and so does the schedule pass.
    connect(cellEditors_, &ScheduleCellEditors::DateChanged, this,
            &ScheduleEditor::WritePickedDate);
    connect(cellEditors_, &ScheduleCellEditors::DateReverted, this, [this] {
        const int row = RowForColumn(ColDate);
        if (row > 0 && row == dateRow_) {
            grid_.Table().SetCell(ColDate, row, dateBeforeEdit_);
        }
    });
    connect(cellEditors_, &ScheduleCellEditors::TimeChanged, this,
            &ScheduleEditor::DateTimePicker2Change);

    const SchedulePopupMenu& menu = *popupMenu_;
    connect(menu.Add1(), &QAction::triggered, this, &ScheduleEditor::Add1Click);
    // The other items act on the row the menu was opened for.
    const auto onMenuRow = [this](void (ScheduleEditor::*handler)()) {
        return [this, handler] {
            if (popupMenu_ && popupMenu_->SelectRowOpenedFor()) {
                (this->*handler)();
            }
        };
    };
    connect(menu.Insert1(), &QAction::triggered, this, onMenuRow(&ScheduleEditor::Insert1Click));
    connect(menu.Delete1(), &QAction::triggered, this, onMenuRow(&ScheduleEditor::Delete1Click));
    connect(menu.Test1(), &QAction::triggered, this, onMenuRow(&ScheduleEditor::Test1Click));
    connect(menu.Refer1(), &QAction::triggered, this, onMenuRow(&ScheduleEditor::Refer1Click));
}

ScheduleEditor::~ScheduleEditor() = default;

void ScheduleEditor::GridGoing() {
    // The helpers watch the grid's events; none may reach them from a grid
    // that is half destroyed.
    gridGone_ = true;
    grid_.removeEventFilter(this);
    delete cellEditors_;
    delete popupMenu_;
    delete hints_;
    delete fileInput_;
    cellEditors_ = nullptr;
    popupMenu_ = nullptr;
    hints_ = nullptr;
    fileInput_ = nullptr;
}

void ScheduleEditor::SetArgumentChoices(const ArgumentChoices& choices) {
    cellEditors_->SetArgumentChoices(choices);
}

void ScheduleEditor::Add1Click() {
    grid_.Table().AddRow();
}

void ScheduleEditor::Insert1Click() {
    const int row = grid_.CurrentTableRow();
    const int column = grid_.CurrentColumn();
    grid_.Table().InsertRow(row > 0 ? row : 1);
    grid_.SetCurrentCell(column, row > 0 ? row : 1);
}

void ScheduleEditor::Delete1Click() {
    const int row = grid_.CurrentTableRow();
    if (row <= 1) {
        return;
    }
    ScheduleTable& table = grid_.Table();
    // Cleared first, so that old texts never come back in a row added later.
    for (int column = 0; column < kScheduleColumns; ++column) {
        table.SetCell(column, row, {});
    }
    table.RemoveRow(row);
}

void ScheduleEditor::SortButtonClick() {
    SortScheduleRows(grid_.Table());
    grid_.SetCurrentCell(0, ChooseNextEvent(grid_.Table(), clock_.Now()));
    state_.TitleRefreshPending = true;
    Q_EMIT NextTickWanted();
}

void ScheduleEditor::Test1Click() {
    state_.TestRequested = true;
    Q_EMIT NextTickWanted();
}

void ScheduleEditor::Refer1Click() {
    fileInput_->Refer1Click();
}

void ScheduleEditor::StringGrid1SelectCell(int column, int row) {
    state_.TitleRefreshPending = true;
    const bool typing = column == ColTitle || column == ColArgument;
    grid_.setEditTriggers(typing ? kTypingTriggers : QAbstractItemView::NoEditTriggers);
    fileInput_->SetDropTarget(column == ColArgument);
    if (row <= 0 || row >= grid_.Table().RowCount()) {
        return;
    }
    const DateTime now = clock_.Now();
    dateRow_ = row;
    dateBeforeEdit_ = grid_.Table().Cell(ColDate, row);
    cellEditors_->LoadPickers(PickerDate(grid_.Table().Cell(ColDate, row), now),
                              PickerTime(grid_.Table().Cell(ColTime, row), now));
}

void ScheduleEditor::StringGrid1Exit() {
    Q_EMIT TimerEnableRequested();
}

int ScheduleEditor::RowForColumn(int column) const {
    return grid_.CurrentColumn() == column ? grid_.CurrentTableRow() : 0;
}

void ScheduleEditor::ComboBox1Change() {
    const int row = RowForColumn(ColRepeat);
    if (row <= 0) {
        return;
    }
    ScheduleTable& table = grid_.Table();
    table.SetCell(ColRepeat, row, Chosen(cellEditors_->ComboBox1()));
    if (table.Cell(ColDate, row).empty()) {
        table.SetCell(ColDate, row, FormatScheduleDate(clock_.Now()));
    }
    grid_.SetCurrentCell(ColDate, row);
}

void ScheduleEditor::WritePickedDate() {
    const int row = RowForColumn(ColDate);
    if (row > 0) {
        grid_.Table().SetCell(ColDate, row, FormatScheduleDate(cellEditors_->PickedDate()));
    }
}

void ScheduleEditor::DateTimePicker1Change() {
    const int row = RowForColumn(ColDate);
    if (row <= 0) {
        return;
    }
    WritePickedDate();
    grid_.SetCurrentCell(ColTime, row);
}

void ScheduleEditor::DateTimePicker2Change() {
    const int row = RowForColumn(ColTime);
    if (row > 0) {
        grid_.Table().SetCell(ColTime, row, FormatScheduleTime(cellEditors_->PickedTime()));
    }
}

void ScheduleEditor::ComboBox2Change() {
    const int row = RowForColumn(ColAction);
    if (row <= 0) {
        return;
    }
    const std::string action = Chosen(cellEditors_->ComboBox2());
    grid_.Table().SetCell(ColAction, row, action);
    if (action == kMessage || action == kStart) {
        grid_.SetCurrentCell(ColArgument, row);
    }
}

void ScheduleEditor::ComboBox3Change() {
    const int row = RowForColumn(ColDelete);
    if (row > 0) {
        grid_.Table().SetCell(ColDelete, row, Chosen(cellEditors_->ComboBox3()));
    }
}

void ScheduleEditor::ComboBox4Change() {
    const int row = RowForColumn(ColEnabled);
    if (row <= 0) {
        return;
    }
    const std::string chosen = Chosen(cellEditors_->ComboBox4());
    grid_.Table().SetCell(ColEnabled, row, chosen);
    if (chosen == kEnabled) {
        CheckRowComplete();
    }
    state_.TitleRefreshPending = true;
}

void ScheduleEditor::ComboBox5Change() {
    const int row = RowForColumn(ColArgument);
    if (row <= 0) {
        return;
    }
    const std::string& action = grid_.Table().Cell(ColAction, row);
    const std::string chosen = Chosen(cellEditors_->ComboBox5());
    if (action == kLauncher) {
        grid_.Table().SetCell(ColArgument, row, chosen);
    } else if (action == kScreenSave) {
        grid_.Table().SetCell(ColArgument, row, QuotedPath(chosen));
    }
}

bool ScheduleEditor::CheckRowComplete() {
    const int row = grid_.CurrentTableRow();
    if (row <= 0) {
        return false;
    }
    const std::optional<MissingField> missing = FindMissingField(grid_.Table().Row(row));
    if (!missing) {
        return true;
    }
    grid_.Table().SetCell(ColEnabled, row, kDisabled);
    ShowInformation(host_->window(), QStringLiteral("Rimotime Information"),
                    Translations::Text(missing->Message));
    grid_.SetCurrentCell(missing->Column, row);
    return false;
}

void ScheduleEditor::HideCellEditors() {
    if (cellEditors_) {
        cellEditors_->HideAll();
    }
}

bool ScheduleEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_ && event->type() == QEvent::FocusOut && !gridGone_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving the grid for another control; not the window losing the
        // focus or a menu opening.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            StringGrid1Exit();
        }
    }
    return false;
}

} // namespace rimo
