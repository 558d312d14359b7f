#include "core/UserMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace rimo {

namespace {

QMessageBox* Show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                  const QString& text) {
    // Over the window the user is working in; anything else (a report from
    // the schedule, a window minimised or hidden) is a window of its own: a
    // box transient for a minimised window is not shown (mutter). A modal
    // dialog counts as worked in also before it has the focus back from a
    // file dialog: a box of its own would be blocked by it, and may sink
    // under the main window.
    QWidget* over = parent && (parent->window()->isActiveWindow() ||
                               parent->window() == QApplication::activeModalWidget())
                        ? parent
                        : nullptr;
    auto* box = new QMessageBox(icon, caption, text, QMessageBox::Ok, over);
    if (!over) {
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
        if (parent) {
            QObject::connect(parent, &QObject::destroyed, box, &QObject::deleteLater);
        }
    }
    // Texts may come from a file, the user or the network: never markup.
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    box->raise();
    return box;
}

} // namespace

QMessageBox* ShowErrorMessage(QWidget* parent, const QString& text) {
    return Show(parent, QMessageBox::Warning, QStringLiteral("RimoTimeInformation"), text);
}

QMessageBox* ShowInformation(QWidget* parent, const QString& caption, const QString& text) {
    return Show(parent, QMessageBox::Information, caption, text);
}

} // namespace rimo
