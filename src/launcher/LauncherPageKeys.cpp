// The launcher page for the keyboard and screen readers: the rows' place in
// the tab order, the names of their check boxes, and their menu.
#include "core/KeyboardAccess.h"
#include "launcher/LaunchPaths.h"
#include "launcher/LauncherPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

namespace rimo {

void LauncherPage::ChainRowsAfterTitle() {
    // Rows built at run time would come last in the window's tab order.
    QWidget* previous = editLaunchTitle_;
    for (const Row& row : rows_) {
        QWidget::setTabOrder(previous, row.Check);
        QWidget::setTabOrder(row.Check, row.Button);
        previous = row.Button;
    }
}

void LauncherPage::NameRowChecks() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const QString title = row.Label->text().trimmed(); // ideographic blanks when none
        const QString name =
            title.isEmpty() ? tr("%1 行目").arg(i + 1) : tr("%1 行目 %2").arg(i + 1).arg(title);
        if (row.Check->accessibleName() != name) {
            row.Check->setAccessibleName(name);
        }
    }
}

bool LauncherPage::RowCheckKey(QCheckBox& check, QEvent& event) {
    if (!IsKeyboardMenuRequest(event)) {
        return false;
    }
    const int row = LaunchPaths::RowNumberOf(check.objectName().toStdString(), 8); // "CheckBox"
    if (row < 1 || row > static_cast<int>(rows_.size())) {
        return false;
    }
    const QLabel* label = rows_[static_cast<std::size_t>(row) - 1].Label;
    OpenRowMenu(row, label->mapToGlobal(QPoint(0, label->height())));
    event.accept();
    return true;
}

void LauncherPage::OpenRowMenu(int row, const QPoint& globalPos) {
    if (row > 0) {
        popupRow_ = row;
        popupGeneration_ = generation_;
    }
    PopupMenu3Popup();
    popupMenu3_->popup(globalPos);
}

} // namespace rimo
