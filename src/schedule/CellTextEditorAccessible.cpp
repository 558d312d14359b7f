#include "schedule/CellTextEditorAccessible.h"

#include "schedule/CellTextEditor.h"

namespace rimo {

CellTextEditorAccessible::CellTextEditorAccessible(CellTextEditor* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText) {}

CellTextEditor* CellTextEditorAccessible::Editor() const {
    return static_cast<CellTextEditor*>(widget());
}

void* CellTextEditorAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* CellTextEditorAccessible::parent() const {
    // The editor lies on the grid's viewport; the grid's cell is its parent.
    const QPersistentModelIndex& cell = Editor()->Cell();
    QWidget* viewport = Editor()->parentWidget();
    QWidget* grid = viewport ? viewport->parentWidget() : nullptr;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    if (cell.isValid() && table && table->tableInterface()) {
        if (QAccessibleInterface* owner =
                table->tableInterface()->cellAt(cell.row(), cell.column())) {
            return owner;
        }
    }
    return QAccessibleWidget::parent();
}

QString CellTextEditorAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Value) {
        return Editor()->text();
    }
    return QAccessibleWidget::text(type);
}

QAccessible::State CellTextEditorAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !Editor()->isReadOnly();
    state.readOnly = Editor()->isReadOnly();
    state.selectableText = true;
    return state;
}

void CellTextEditorAccessible::selection(int selectionIndex, int* startOffset,
                                         int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && Editor()->hasSelectedText()) {
        *startOffset = Editor()->selectionStart();
        *endOffset = *startOffset + Editor()->selectionLength();
    }
}

int CellTextEditorAccessible::selectionCount() const {
    return Editor()->hasSelectedText() ? 1 : 0;
}

void CellTextEditorAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void CellTextEditorAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        Editor()->deselect();
    }
}

void CellTextEditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        Editor()->setSelection(startOffset, endOffset - startOffset);
    }
}

int CellTextEditorAccessible::cursorPosition() const {
    return Editor()->cursorPosition();
}

void CellTextEditorAccessible::setCursorPosition(int position) {
    Editor()->setCursorPosition(position);
}

QString CellTextEditorAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) {
        return {};
    }
    return Editor()->text().mid(startOffset, endOffset - startOffset);
}

int CellTextEditorAccessible::characterCount() const {
    return static_cast<int>(Editor()->text().size());
}

QRect CellTextEditorAccessible::characterRect(int offset) const {
    const QRect local = Editor()->CharacterRect(offset);
    return local.isNull() ? QRect() : QRect(Editor()->mapToGlobal(local.topLeft()), local.size());
}

int CellTextEditorAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = Editor()->mapFromGlobal(point);
    return Editor()->rect().contains(local) ? Editor()->cursorPositionAt(local) : -1;
}

void CellTextEditorAccessible::scrollToSubstring(int, int endIndex) {
    Editor()->setCursorPosition(endIndex); // a line edit scrolls to its cursor
}

QString CellTextEditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One run without attributes of its own.
    *startOffset = offset < 0 ? -1 : 0;
    *endOffset = offset < 0 ? -1 : characterCount();
    return {};
}

void CellTextEditorAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, {});
}

void CellTextEditorAccessible::insertText(int offset, const QString& text) {
    Editor()->setCursorPosition(offset);
    Editor()->insert(text);
}

void CellTextEditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    Editor()->setSelection(startOffset, endOffset - startOffset);
    Editor()->insert(text);
}

} // namespace rimo
