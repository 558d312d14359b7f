#pragma once

#include <QString>
#include <QWidget>

namespace rimo {

// A control with its designed name (found by it at run time) and its hint.
template <typename T> T* Named(T* control, const char* name, const QString& hint = {}) {
    control->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        control->setToolTip(hint);
    }
    return control;
}

} // namespace rimo
