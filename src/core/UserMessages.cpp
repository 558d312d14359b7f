#include "core/UserMessages.h"

#include <QMessageBox>

namespace rimo {

namespace {

QMessageBox* Show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                  const QString& text) {
    auto* box = new QMessageBox(icon, caption, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
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
