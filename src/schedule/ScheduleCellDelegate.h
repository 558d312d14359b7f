#pragma once

#include <QStyledItemDelegate>

namespace rimo {

// Draws a schedule cell as the grid's own text: one line, vertically centred,
// flush with the cell's left edge, in the selection colours when selected. No
// marks or colours of its own.
class ScheduleCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A CellTextEditor, which a screen reader finds inside its cell.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

Q_SIGNALS:
    // Ctrl+Tab or Ctrl+Shift+Tab in the typing editor: the typed text is
    // kept and the focus leaves the grid.
    void LeaveRequested(bool forward);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

} // namespace rimo
