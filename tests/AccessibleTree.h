#pragma once

// What a screen reader sees of the widgets, read through Qt's accessibility
// interfaces (the same ones the AT-SPI bridge hands on).

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include <string>
#include <vector>

namespace rimo {

inline QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

inline QString AccessibleName(QObject* object) {
    QAccessibleInterface* iface = Accessible(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// `root` and everything below it, parents before children.
inline std::vector<QAccessibleInterface*> AccessibleTree(QAccessibleInterface* root) {
    std::vector<QAccessibleInterface*> all;
    if (!root) {
        return all;
    }
    all.push_back(root);
    for (std::size_t i = 0; i < all.size(); ++i) {
        QAccessibleInterface* node = all[i];
        for (int c = 0; c < node->childCount(); ++c) {
            if (QAccessibleInterface* child = node->child(c)) {
                all.push_back(child);
            }
        }
    }
    return all;
}

// A line for failure messages: role, object name and accessible name.
inline std::string Describe(QAccessibleInterface* iface) {
    if (!iface) {
        return "(none)";
    }
    QString text = QString::number(static_cast<int>(iface->role()), 16);
    if (iface->object()) {
        text += QLatin1Char(' ') + iface->object()->objectName() + QLatin1Char('(') +
                QString::fromLatin1(iface->object()->metaObject()->className()) + QLatin1Char(')');
    }
    text += QStringLiteral(" \"") + iface->text(QAccessible::Name) + QLatin1Char('"');
    return text.toStdString();
}

// Whether `ancestor` is `iface` or one of its parents.
inline bool IsAccessibleAncestor(QAccessibleInterface* ancestor, QAccessibleInterface* iface) {
    for (int depth = 0; iface && depth < 64; ++depth, iface = iface->parent()) {
        if (iface == ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace rimo
