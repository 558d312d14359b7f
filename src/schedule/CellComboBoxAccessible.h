#pragma once

#include <QAccessibleWidget>

namespace rimo {

class CellComboBox;

// A cell's drop-down list as a screen reader sees it: named after its
// column, its value the chosen item. (On Linux Qt names a combo box by its
// value and leaves the name to a label beside it, which a cell has not.)
class CellComboBoxAccessible : public QAccessibleWidget {
public:
    explicit CellComboBoxAccessible(CellComboBox* combo);

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    CellComboBox* Combo() const;
};

} // namespace rimo
