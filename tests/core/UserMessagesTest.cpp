#include "core/UserMessages.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>

#include <gtest/gtest.h>

namespace rimo {
namespace {

// A message from a modal dialog that has not got the focus back yet (a file
// dialog over it has just closed) stands over it: a box of its own would be
// blocked by the dialog and could sink under the main window.
TEST(UserMessagesTest, AMessageFromTheModalDialogStandsOverIt) {
    QDialog dialog;
    dialog.setAttribute(Qt::WA_ShowWithoutActivating);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_FALSE(dialog.isActiveWindow());
    const QPointer<QMessageBox> box =
        ShowInformation(&dialog, QStringLiteral("T"), QStringLiteral("x"));
    EXPECT_EQ(box->parentWidget(), &dialog);
    delete box.data();
}

} // namespace
} // namespace rimo
