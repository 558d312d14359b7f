#include "schedule/CellComboBoxAccessible.h"

#include "schedule/CellComboBox.h"

#include <QAbstractItemView>

namespace rimo {

CellComboBoxAccessible::CellComboBoxAccessible(CellComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

CellComboBox* CellComboBoxAccessible::Combo() const {
    return static_cast<CellComboBox*>(widget());
}

QString CellComboBoxAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Value) {
        return Combo()->currentText();
    }
    return QAccessibleWidget::text(type);
}

QAccessible::State CellComboBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Combo()->view()->isVisible();
    state.collapsed = !state.expanded;
    return state;
}

// The list that drops down, as Qt's own combo box offers it.
int CellComboBoxAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* CellComboBoxAccessible::child(int index) const {
    return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
}

int CellComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child && child->object() == Combo()->view() ? 0 : -1;
}

QStringList CellComboBoxAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void CellComboBoxAccessible::doAction(const QString& action) {
    if (action == showMenuAction() || action == pressAction()) {
        Combo()->showPopup();
    }
}

} // namespace rimo
