#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>

namespace rimo {

// The program's message boxes do not block, so tests find them among the
// top-level windows.
inline QList<QMessageBox*> VisibleMessageBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            boxes.append(box);
        }
    }
    return boxes;
}

inline void CloseMessageBoxes() {
    for (QMessageBox* box : VisibleMessageBoxes()) {
        box->close();
    }
    QApplication::processEvents();
}

} // namespace rimo
