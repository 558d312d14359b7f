#include "schedule/OpenDialog1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace rimo {

QString RunOpenDialog1(QWidget* parent, const QString& filter, const QString& startIn) {
    QFileDialog dialog(parent,
                       QCoreApplication::translate("rimo::OpenDialog1", "ファイル名の指定"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    // Qt's own dialog: the same on every desktop, and drivable in tests.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
    dialog.setNameFilter(filter);
    if (!startIn.isEmpty() && QDir(startIn).exists()) {
        dialog.setDirectory(startIn);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

} // namespace rimo
