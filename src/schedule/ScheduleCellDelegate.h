#pragma once

#include <QStyledItemDelegate>

namespace rimo {

// Draws a schedule cell as the grid's own text: one line, vertically centred,
// flush with the cell's left edge, in the selection colours when selected. No
// marks or colours of its own. Typing in a cell uses the standard editor.
class ScheduleCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace rimo
