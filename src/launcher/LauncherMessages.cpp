#include "launcher/LauncherMessages.h"

#include "core/UserMessages.h"

#include <QCoreApplication>
#include <QPointer>

namespace rimo {

namespace {

// The texts carry Windows line ends.
QString Lines(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

bool AskYes(QWidget* parent, const QString& text, QMessageBox::StandardButton other,
            std::optional<QPoint> at) {
    const QPointer<QMessageBox> box = new QMessageBox(
        QMessageBox::Question, QCoreApplication::translate("rimo::LauncherMessages", "確認"),
        Lines(text), QMessageBox::Yes | other, parent);
    box->setObjectName(QStringLiteral("LauncherQuestion"));
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Yes);
    if (at) {
        box->move(*at);
    }
    const int answer = box->exec();
    delete box.data(); // gone already when its parent went while it waited
    return answer == QMessageBox::Yes;
}

void ShowNotice(QWidget* parent, const QString& caption, const QString& text,
                std::optional<QPoint> at) {
    QMessageBox* box = ShowInformation(parent, caption, Lines(text));
    if (at) {
        box->move(*at);
    }
}

} // namespace rimo
