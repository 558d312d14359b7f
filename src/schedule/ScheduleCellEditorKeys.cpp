// The cell editors' keys: opening the current cell's control from the
// grid, and going back to the grid, to the next cell or out of the grid.
#include "schedule/ScheduleCellEditors.h"

#include "schedule/ScheduleGrid.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionComboBox>
#include <QWidget>

namespace rimo {

namespace {

// Keys that drop a list or the calendar down at once.
bool IsDropDownKey(const QKeyEvent* key) {
    return (key->key() == Qt::Key_F4 && !(key->modifiers() & Qt::AltModifier)) ||
           (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier));
}

bool IsOpenKey(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
    case Qt::Key_F4:
        return !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    case Qt::Key_Down:
        return key->modifiers() & Qt::AltModifier;
    default:
        return false;
    }
}

} // namespace

void ScheduleCellEditors::LeaveToCell(int key) {
    ReturnToGrid();
    QKeyEvent step(QEvent::KeyPress, key == Qt::Key_Backtab ? Qt::Key_Backtab : Qt::Key_Tab,
                   key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(&grid_, &step);
}

bool ScheduleCellEditors::HandleGridKey(QKeyEvent* key) {
    if (!IsOpenKey(key) || grid_.IsTyping() || !OpenCurrentEditor()) {
        return false;
    }
    if (IsDropDownKey(key) && grid_.window()->focusWidget() == picker1_) {
        OpenCalendar();
    }
    return true;
}

void ScheduleCellEditors::OpenCalendar() {
    // The date edit has no keyboard way to its calendar: press its arrow, as
    // the mouse would (it finds the arrow as a combo box's).
    QStyleOptionComboBox option;
    option.initFrom(picker1_);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint arrow =
        picker1_->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, picker1_)
            .center();
    const QPointF global = picker1_->mapToGlobal(QPointF(arrow));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(arrow), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picker1_, &press);
}

bool ScheduleCellEditors::HandleEditorKey(QWidget* editor, QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        if (editor == picker1_ && dateDirty_) {
            LoadPickers(loadedDate_, PickedTime());
            Q_EMIT DateReverted();
        }
        ReturnToGrid();
        return true;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        dateDirty_ = false;
        if (event->modifiers() & Qt::ControlModifier) {
            ReturnToGrid();
            grid_.LeaveGrid(key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        } else {
            LeaveToCell(key);
        }
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && editor == picker1_) {
        dateDirty_ = false;
        Q_EMIT DatePicked();
        ReturnToGrid();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && editor == picker2_) {
        ReturnToGrid();
        return true;
    }
    return false;
}

} // namespace rimo
