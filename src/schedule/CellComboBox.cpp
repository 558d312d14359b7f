#include "schedule/CellComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace rimo {

CellComboBox::CellComboBox(const QString& name, const std::vector<std::string>& items,
                           QWidget* parent)
    : QComboBox(parent) {
    setObjectName(name);
    SetItems(items);
}

void CellComboBox::SetItems(const std::vector<std::string>& items) {
    clear();
    for (const std::string& item : items) {
        addItem(QString::fromStdString(item));
    }
    setCurrentIndex(-1);
}

void CellComboBox::SelectText(const QString& text) {
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
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
