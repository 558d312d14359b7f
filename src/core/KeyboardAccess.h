#pragma once

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace rimo {

// Shift+F10, which opens a control's menu as the Menu key does (the Qt and
// GTK convention); the platform turns only the Menu key into a menu request.
inline bool IsShiftF10(const QKeyEvent& key) {
    return key.key() == Qt::Key_F10 && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

// A menu asked for from the keyboard, as a right click asks for it: the Menu
// key's context-menu request, or Shift+F10.
inline bool IsKeyboardMenuRequest(const QEvent& event) {
    if (event.type() == QEvent::ContextMenu) {
        return static_cast<const QContextMenuEvent&>(event).reason() != QContextMenuEvent::Mouse;
    }
    return event.type() == QEvent::KeyPress && IsShiftF10(static_cast<const QKeyEvent&>(event));
}

// Enter or Return, on the main keys or the keypad, without other modifiers.
inline bool IsEnterKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

} // namespace rimo
