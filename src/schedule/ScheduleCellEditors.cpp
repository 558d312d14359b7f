#include "schedule/ScheduleCellEditors.h"

#include "i18n/Translations.h"

#include "core/KeyboardAccess.h"
#include "schedule/ArgumentChoices.h"
#include "schedule/CellComboBox.h"
#include "schedule/CellFocusRing.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleGrid.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTimeEdit>
#include <QTimer>

namespace rimo {

namespace {

const DefaultArgumentChoices kDefaultChoices;

QDate ToQDate(DateTime value) {
    const DateParts parts = DecodeDate(value);
    return QDate(parts.Year, parts.Month, parts.Day);
}

QTime ToQTime(DateTime value) {
    const TimeParts parts = DecodeTime(value);
    return QTime(parts.Hour, parts.Minute, parts.Second);
}

} // namespace

ScheduleCellEditors::ScheduleCellEditors(ScheduleGrid& grid, QWidget* host, QObject* parent)
    : QObject(parent), grid_(grid), host_(host), choices_(&kDefaultChoices) {
    Build();

    // The placement follows everything that moves, shows or changes the current cell.
    const auto place = [this] { PlaceCellEditors(); };
    connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this, place);
    connect(grid_.verticalScrollBar(), &QScrollBar::valueChanged, this, place);
    connect(grid_.horizontalScrollBar(), &QScrollBar::valueChanged, this, place);
    QAbstractItemModel* model = grid_.model();
    connect(model, &QAbstractItemModel::dataChanged, this, place);
    connect(model, &QAbstractItemModel::rowsInserted, this, place);
    connect(model, &QAbstractItemModel::rowsRemoved, this, place);
    connect(model, &QAbstractItemModel::modelReset, this, place);
    connect(model, &QAbstractItemModel::layoutChanged, this, place);
    connect(qApp, &QApplication::focusChanged, this, place);
    grid_.installEventFilter(this);
}

void ScheduleCellEditors::Build() {
    combo1_ = new CellComboBox(QStringLiteral("ComboBox1"), ColRepeat, RepeatChoices(), host_);
    // The empty first choice, no repetition, said in words.
    combo1_->setItemData(0, tr("繰り返さない"), Qt::AccessibleTextRole);
    picker1_ = new QDateEdit(host_);
    picker1_->setObjectName(QStringLiteral("DateTimePicker1"));
    picker1_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker1_->setCalendarPopup(true);
    // The calendar speaks the interface's language (month names, day names),
    // Sunday first, whatever the machine's locale.
    picker1_->setLocale(Translations::Locale());
    picker1_->calendarWidget()->setLocale(picker1_->locale());
    picker1_->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    picker1_->setToolTip(tr("クリックで日付入力、ドロップダウンで日付クリック"));
    picker2_ = new QTimeEdit(host_);
    picker2_->setObjectName(QStringLiteral("DateTimePicker2"));
    picker2_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    // The cell is too narrow for spin buttons; arrow keys and the wheel step.
    picker2_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    combo2_ = new CellComboBox(QStringLiteral("ComboBox2"), ColAction, ActionChoices(), host_);
    combo5_ = new CellComboBox(QStringLiteral("ComboBox5"), -1, {}, host_);
    combo3_ = new CellComboBox(QStringLiteral("ComboBox3"), ColDelete, DeleteChoices(), host_);
    combo4_ = new CellComboBox(QStringLiteral("ComboBox4"), ColEnabled, EnabledChoices(), host_);
    combo4_->setAttribute(Qt::WA_InputMethodEnabled, false);
    all_ = {combo1_, picker1_, picker2_, combo2_, combo5_, combo3_, combo4_};
    focusRing_ = new CellFocusRing(host_);

    const int columns[] = {ColRepeat,   ColDate,   ColTime,   ColAction,
                           ColArgument, ColDelete, ColEnabled};
    for (std::size_t i = 0; i < all_.size(); ++i) {
        QWidget* editor = all_[i];
        editor->resize(editor->sizeHint());
        editor->hide();
        editor->installEventFilter(this);
        // Reached from their cell, never by Tab from the window's other controls.
        editor->setFocusPolicy(Qt::ClickFocus);
        // Named for a screen reader as the column they edit.
        const QString header = grid_.model()->headerData(columns[i], Qt::Horizontal).toString();
        editor->setAccessibleName(header);
        if (auto* combo = qobject_cast<CellComboBox*>(editor)) {
            combo->view()->setAccessibleName(header);
        }
    }
    for (CellComboBox* combo : {combo1_, combo2_, combo3_, combo4_, combo5_}) {
        // A closed list gives the keyboard back to the grid.
        connect(combo, &CellComboBox::PopupHidden, this, [this, combo] {
            QTimer::singleShot(0, this, [this, combo] {
                if (grid_.window()->focusWidget() == combo && !combo->view()->isVisible()) {
                    ReturnToGrid();
                }
            });
        });
    }
    connect(combo5_, &CellComboBox::PopupAboutToShow, this, [this] { FillArgumentList(true); });

    connect(picker1_, &QDateEdit::dateChanged, this, [this] {
        if (!loading_) {
            dateDirty_ = true;
            Q_EMIT DateChanged();
        }
    });
    connect(picker2_, &QTimeEdit::timeChanged, this, [this] {
        if (!loading_) {
            Q_EMIT TimeChanged();
        }
    });
    // A day clicked in the drop-down calendar is a choice made.
    const auto picked = [this] {
        QTimer::singleShot(0, this, [this] {
            dateDirty_ = false;
            Q_EMIT DatePicked();
            ReturnToGrid();
        });
    };
    connect(picker1_->calendarWidget(), &QCalendarWidget::clicked, this, picked);
    connect(picker1_->calendarWidget(), &QCalendarWidget::activated, this, picked);
}

QWidget* ScheduleCellEditors::CurrentCellEditor() const {
    const int row = grid_.CurrentTableRow();
    if (row <= 0) {
        return nullptr;
    }
    switch (grid_.CurrentColumn()) {
    case ColRepeat:
        return combo1_;
    case ColDate:
        return picker1_;
    case ColTime:
        return picker2_;
    case ColAction:
        return combo2_;
    case ColArgument: {
        const std::string& action = grid_.Table().Cell(ColAction, row);
        return action == ScheduleTexts::kLauncher || action == ScheduleTexts::kScreenSave ? combo5_
                                                                                          : nullptr;
    }
    case ColDelete:
        return combo3_;
    case ColEnabled:
        return combo4_;
    default:
        return nullptr;
    }
}

void ScheduleCellEditors::PlaceCellEditors() {
    PlaceCellEditor(combo1_, ColRepeat);
    PlaceCellEditor(picker1_, ColDate);
    PlaceCellEditor(picker2_, ColTime);
    PlaceCellEditor(combo2_, ColAction);
    combo2_->SetDroppedWidth(combo2_->width() * 4 / 3);
    PlaceCellEditor(combo3_, ColDelete);
    PlaceCellEditor(combo4_, ColEnabled);
    if (CurrentCellEditor() != combo5_ && grid_.CurrentColumn() == ColArgument) {
        combo5_->hide();
    } else {
        PlaceCellEditor(combo5_, ColArgument);
        combo5_->SetDroppedWidth(combo5_->width() * 3 / 2);
    }
    const bool gridHasKeys = grid_.window()->focusWidget() == &grid_;
    focusRing_->Surround(gridHasKeys ? CurrentCellEditor() : nullptr);
}

bool ScheduleCellEditors::HasFocus(const QWidget* editor) const {
    const QWidget* focus = grid_.window()->focusWidget();
    return focus && (focus == &grid_ || focus == editor || editor->isAncestorOf(focus));
}

void ScheduleCellEditors::PlaceCellEditor(QWidget* editor, int column) {
    const int row = grid_.CurrentTableRow();
    const QRect cell = grid_.CellRect(column, row);
    const bool shown = row > 0 && grid_.CurrentColumn() == column && grid_.isVisible() &&
                       HasFocus(editor) && !cell.isEmpty() &&
                       grid_.viewport()->rect().contains(cell);
    if (!shown) {
        if (editor->isVisible()) {
            editor->hide();
        }
        return;
    }
    const QPoint topLeft = grid_.viewport()->mapTo(host_, cell.topLeft());
    editor->setGeometry(topLeft.x() - 1, topLeft.y() - 1, cell.width() + 2, cell.height() + 2);
    if (auto* combo = qobject_cast<CellComboBox*>(editor)) {
        if (combo == combo5_) {
            FillArgumentList(false);
        }
        if (!combo->view()->isVisible()) {
            combo->SelectText(QString::fromStdString(grid_.Table().Cell(column, row)));
        }
    }
    if (!editor->isVisible()) {
        editor->show();
    }
}

void ScheduleCellEditors::FillArgumentList(bool reread) {
    const int row = grid_.CurrentTableRow();
    if (row <= 0) {
        return;
    }
    const std::string& action = grid_.Table().Cell(ColAction, row);
    if (!reread && row == argumentRow_ && action == argumentAction_) {
        return;
    }
    argumentRow_ = row;
    argumentAction_ = action;
    if (action == ScheduleTexts::kLauncher) {
        combo5_->SetItems(choices_->LauncherTitles());
    } else if (action == ScheduleTexts::kScreenSave) {
        combo5_->SetItems(choices_->ScreenSaverList());
    }
    combo5_->SelectText(QString::fromStdString(grid_.Table().Cell(ColArgument, row)));
}

void ScheduleCellEditors::HideAll() {
    for (QWidget* editor : all_) {
        editor->hide();
    }
    focusRing_->Surround(nullptr);
}

bool ScheduleCellEditors::OpenCurrentEditor() {
    QWidget* editor = CurrentCellEditor();
    if (!editor) {
        return grid_.EditCurrentCell();
    }
    PlaceCellEditors();
    if (!editor->isVisible()) {
        return false;
    }
    editor->setFocus(Qt::OtherFocusReason);
    if (auto* combo = qobject_cast<CellComboBox*>(editor)) {
        combo->showPopup();
    }
    return true;
}

void ScheduleCellEditors::ReturnToGrid() {
    grid_.setFocus(Qt::OtherFocusReason);
    PlaceCellEditors();
}

void ScheduleCellEditors::LoadPickers(DateTime date, DateTime time) {
    loading_ = true;
    picker1_->setDate(ToQDate(date));
    picker2_->setTime(ToQTime(time));
    loading_ = false;
    loadedDate_ = date;
    dateDirty_ = false;
}

DateTime ScheduleCellEditors::PickedDate() const {
    const QDate date = picker1_->date();
    return EncodeDate(date.year(), date.month(), date.day());
}

DateTime ScheduleCellEditors::PickedTime() const {
    const QTime time = picker2_->time();
    return EncodeTime(time.hour(), time.minute(), time.second());
}

bool ScheduleCellEditors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (HandleGridKey(static_cast<QKeyEvent*>(event))) {
                return true;
            }
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
            PlaceCellEditors();
            break;
        default:
            break;
        }
        return false;
    }
    auto* editor = qobject_cast<QWidget*>(watched);
    if (IsKeyboardMenuRequest(*event)) {
        // The grid's menu, for the cell this control stands on.
        ReturnToGrid();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(),
                                  grid_.mapToGlobal(QPoint()));
        QCoreApplication::sendEvent(&grid_, &request);
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return HandleEditorKey(editor, static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:
        if (editor == picker1_ &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
            dateDirty_ = false; // left: Esc no longer takes the change back
        }
        PlaceCellEditors();
        return false;
    case QEvent::Wheel:
        // The wheel over a control the user is not working in scrolls the
        // grid; it never changes a value in passing.
        if (grid_.window()->focusWidget() == editor) {
            return false;
        }
        QCoreApplication::sendEvent(grid_.viewport(), event);
        return true;
    default:
        return false;
    }
}

} // namespace rimo
