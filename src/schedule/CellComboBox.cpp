#include "schedule/CellComboBox.h"

#include "schedule/ScheduleGridModel.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace rimo {

CellComboBox::CellComboBox(const QString& name, int column, const std::vector<std::string>& items,
                           QWidget* parent)
    : QComboBox(parent), column_(column) {
    setObjectName(name);
    SetItems(items);
}

void CellComboBox::SetItems(const std::vector<std::string>& items) {
    clear();
    for (const std::string& item : items) {
        const QString stored = QString::fromStdString(item);
        addItem(column_ < 0 ? stored : ScheduleGridModel::Shown(column_, item), stored);
    }
    setCurrentIndex(-1);
}

void CellComboBox::SelectText(const QString& stored) {
    setCurrentIndex(findData(stored, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString CellComboBox::ChosenText() const {
    return currentData().toString();
}

void CellComboBox::SetDroppedWidth(int width) {
    view()->setMinimumWidth(width);
}

void CellComboBox::showPopup() {
    Q_EMIT PopupAboutToShow();
    QComboBox::showPopup();
}

void CellComboBox::hidePopup() {
    QComboBox::hidePopup();
    Q_EMIT PopupHidden();
}

void CellComboBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            showPopup();
            return;
        }
        break;
    default:
        // Typing drops the list down and looks the text up in it.
        if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            showPopup();
            view()->keyboardSearch(event->text());
            return;
        }
        break;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace rimo
