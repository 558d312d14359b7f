#pragma once

#include "schedule/ScheduleTable.h"

#include <QObject>

#include <optional>

class QAction;
class QMenu;
class QPoint;

namespace rimo {

class ScheduleGrid;

// "PopupMenu2", the grid's menu: the row operations over column 0, the file
// browser over column 5, nothing elsewhere. A right press does not move the
// current cell, so the menu belongs to the cell chosen last with the left
// button; a right press in column 0 also shows the whole row selected.
class SchedulePopupMenu : public QObject {
    Q_OBJECT
public:
    SchedulePopupMenu(ScheduleGrid& grid, QWidget* host, QObject* parent = nullptr);

    QMenu* PopupMenu2() const { return menu_; }
    QAction* Add1() const { return add1_; }
    QAction* Insert1() const { return insert1_; }
    QAction* Delete1() const { return delete1_; }
    QAction* N1() const { return n1_; }
    QAction* Test1() const { return test1_; }
    QAction* Refer1() const { return refer1_; }
    // "実行履歴(&R)": the run history window (the main window connects it).
    QAction* History1() const { return history1_; }

    // Whether the menu opens on a right click.
    bool AutoPopup() const { return autoPopup_; }

    void StringGrid1MouseDown(Qt::MouseButton button);
    // Sets the items for the current column as the menu opens.
    void PopupMenu2Popup();
    // Opens the menu at a point of the viewport when the automatic popup is on.
    void Popup(const QPoint& viewportPoint);
    // The Menu key or Shift+F10: the menu of the current cell, every time, at
    // the cell: the file browser on column 5, the row operations elsewhere.
    void PopupForKeyboard();
    // Ticks run while the menu is open, and a run re-sorts the rows: an item
    // acts on the row the menu was opened for, found again by its content and
    // made current. False when that row is gone (the item then does nothing).
    bool SelectRowOpenedFor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddItem(const char* name, const QString& caption);
    void ShowItems(bool rowItems);
    void OpenAt(const QPoint& viewportPoint);

    ScheduleGrid& grid_;
    QMenu* menu_;
    QAction* insert1_ = nullptr;
    QAction* delete1_ = nullptr;
    QAction* add1_ = nullptr;
    QAction* n1_ = nullptr;
    QAction* test1_ = nullptr;
    QAction* refer1_ = nullptr;
    QAction* history1_ = nullptr;
    bool autoPopup_ = true;
    // The row and cell the open menu belongs to.
    std::optional<ScheduleRow> openedFor_;
    int openedRow_ = 0;
    int openedColumn_ = 0;
};

} // namespace rimo
