#include "schedule/CellTextEditor.h"

#include <QFontMetrics>

namespace rimo {

CellTextEditor::CellTextEditor(const QModelIndex& cell, QWidget* parent)
    : QLineEdit(parent), cell_(cell) {
    setObjectName(QStringLiteral("CellTextEditor"));
    setFrame(false);
    setAccessibleName(cell.model()->headerData(cell.column(), Qt::Horizontal).toString());
}

QRect CellTextEditor::CharacterRect(int offset) const {
    const QString content = text();
    if (offset < 0 || offset >= content.size()) {
        return {};
    }
    // Measured from the text cursor, which knows where the visible text starts.
    const QFontMetrics metrics(font());
    const QRect cursor = cursorRect();
    const int x = cursor.center().x() + metrics.horizontalAdvance(content.left(offset)) -
                  metrics.horizontalAdvance(content.left(cursorPosition()));
    return QRect(x, cursor.top(), metrics.horizontalAdvance(content.at(offset)), cursor.height());
}

} // namespace rimo
