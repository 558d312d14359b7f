#include "schedule/SchedulePopupMenu.h"

#include "core/KeyboardAccess.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleTable.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace rimo {

SchedulePopupMenu::SchedulePopupMenu(ScheduleGrid& grid, QWidget* host, QObject* parent)
    : QObject(parent), grid_(grid), menu_(new QMenu(host)) {
    menu_->setObjectName(QStringLiteral("PopupMenu2"));
    insert1_ = AddItem("Insert1", QStringLiteral("挿入(&I)"));
    delete1_ = AddItem("Delete1", QStringLiteral("削除(&D)"));
    add1_ = AddItem("Add1", QStringLiteral("追加(&A)"));
    n1_ = menu_->addSeparator();
    n1_->setObjectName(QStringLiteral("N1"));
    test1_ = AddItem("Test1", QStringLiteral("テスト(&T)"));
    refer1_ = AddItem("Refer1", QStringLiteral("参照(&R)"));
    refer1_->setVisible(false);
    // After the designed items, with the row operations.
    history1_ = AddItem("History1", tr("実行履歴(&R)..."));

    grid_.viewport()->installEventFilter(this);
    grid_.installEventFilter(this);
    // The chosen item is triggered right after the menu hides; the row is
    // forgotten once that has run.
    connect(menu_, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!menu_->isVisible()) {
                openedFor_.reset();
            }
        });
    });
}

QAction* SchedulePopupMenu::AddItem(const char* name, const QString& caption) {
    QAction* action = menu_->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void SchedulePopupMenu::StringGrid1MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        if (grid_.CurrentColumn() == ColTitle) {
            autoPopup_ = true;
            grid_.SetRowSelectDisplay(true);
        } else if (grid_.CurrentColumn() == ColArgument) {
            autoPopup_ = true;
        }
    } else if (button == Qt::LeftButton) {
        autoPopup_ = false;
        grid_.SetRowSelectDisplay(false);
    }
}

void SchedulePopupMenu::PopupMenu2Popup() {
    const int column = grid_.CurrentColumn();
    if (column != ColArgument && column != ColTitle) {
        return;
    }
    autoPopup_ = false;
    ShowItems(column == ColTitle);
}

void SchedulePopupMenu::ShowItems(bool rowItems) {
    for (QAction* item : {insert1_, delete1_, add1_, n1_, test1_, history1_}) {
        item->setVisible(rowItems);
    }
    refer1_->setVisible(!rowItems);
}

void SchedulePopupMenu::Popup(const QPoint& viewportPoint) {
    if (!autoPopup_) {
        return;
    }
    PopupMenu2Popup();
    OpenAt(viewportPoint);
}

void SchedulePopupMenu::PopupForKeyboard() {
    ShowItems(grid_.CurrentColumn() != ColArgument);
    const QRect cell = grid_.CellRect(grid_.CurrentColumn(), grid_.CurrentTableRow());
    OpenAt(cell.isEmpty() ? QPoint(0, 0) : cell.center());
}

void SchedulePopupMenu::OpenAt(const QPoint& viewportPoint) {
    openedRow_ = grid_.CurrentTableRow();
    openedColumn_ = grid_.CurrentColumn();
    if (openedRow_ > 0) {
        openedFor_ = grid_.Table().Row(openedRow_);
    } else {
        openedFor_.reset();
    }
    menu_->popup(grid_.viewport()->mapToGlobal(viewportPoint));
}

bool SchedulePopupMenu::SelectRowOpenedFor() {
    if (!openedFor_) {
        return true; // not from the open menu: the current row
    }
    const int row = grid_.Table().FindRow(*openedFor_, openedRow_);
    if (row <= 0) {
        return false;
    }
    if (row != grid_.CurrentTableRow() || openedColumn_ != grid_.CurrentColumn()) {
        grid_.SetCurrentCell(openedColumn_, row);
    }
    return true;
}

bool SchedulePopupMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_.viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        StringGrid1MouseDown(press->button());
        // The right button never moves the current cell.
        return press->button() == Qt::RightButton;
    }
    if (watched == grid_.viewport() && event->type() == QEvent::MouseButtonDblClick) {
        return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    }
    if (IsKeyboardMenuRequest(*event)) {
        PopupForKeyboard();
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        auto* request = static_cast<QContextMenuEvent*>(event);
        const QPoint at = watched == grid_.viewport()
                              ? request->pos()
                              : grid_.viewport()->mapFrom(&grid_, request->pos());
        Popup(at);
        return true;
    }
    return false;
}

} // namespace rimo
