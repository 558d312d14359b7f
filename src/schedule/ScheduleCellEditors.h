#pragma once

#include "core/DateTime.h"

#include <QObject>

#include <array>
#include <string>

class QDateEdit;
class QKeyEvent;
class QTimeEdit;
class QWidget;

namespace rimo {

class ArgumentChoices;
class CellComboBox;
class CellFocusRing;
class ScheduleGrid;

// The seven controls laid over the grid's current cell: ComboBox1 (repeat),
// DateTimePicker1 (date), DateTimePicker2 (time), ComboBox2 (action),
// ComboBox5 (launcher title or screen saver), ComboBox3 (delete) and
// ComboBox4 (enabled). They are children of the grid's window, not of the
// grid. One is shown, one pixel beyond each edge of the current cell, while
// its column is current and the grid (or the control itself) has the focus.
//
// Keyboard: Enter, F2, F4 or Alt+Down on the grid open the current cell's
// control (a list drops down); Esc goes back to the grid, Tab and Backtab go
// back and on to the next or previous cell, Ctrl+Tab and Ctrl+Shift+Tab out
// of the grid; the Menu key and Shift+F10 open the grid's menu.
class ScheduleCellEditors : public QObject {
    Q_OBJECT
public:
    ScheduleCellEditors(ScheduleGrid& grid, QWidget* host, QObject* parent = nullptr);

    CellComboBox* ComboBox1() const { return combo1_; }
    CellComboBox* ComboBox2() const { return combo2_; }
    CellComboBox* ComboBox3() const { return combo3_; }
    CellComboBox* ComboBox4() const { return combo4_; }
    CellComboBox* ComboBox5() const { return combo5_; }
    QDateEdit* DateTimePicker1() const { return picker1_; }
    QTimeEdit* DateTimePicker2() const { return picker2_; }

    void SetArgumentChoices(const ArgumentChoices& choices) { choices_ = &choices; }

    // The control for the current cell, if its column has one (ComboBox5
    // only on a "ランチャー" or "ScreenSave" row).
    QWidget* CurrentCellEditor() const;
    // Runs the placement step for every control; the shown one gets the focus
    // ring while the grid has the keyboard.
    void PlaceCellEditors();
    CellFocusRing* FocusRing() const { return focusRing_; }
    void HideAll();
    // Gives the current cell's control the focus (a list drops down); false
    // when the cell has none.
    bool OpenCurrentEditor();
    // Focus back to the grid.
    void ReturnToGrid();

    // The pickers as the selection step loads them; loading is no change.
    void LoadPickers(DateTime date, DateTime time);
    DateTime PickedDate() const;
    DateTime PickedTime() const;

Q_SIGNALS:
    // A date chosen in the calendar, or Enter in the date picker.
    void DatePicked();
    // The user changed the date picker (each step, not only when it is left).
    void DateChanged();
    // Esc in the date picker took the user's changes back.
    void DateReverted();
    // The user changed the time picker.
    void TimeChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void PlaceCellEditor(QWidget* editor, int column);
    void FillArgumentList(bool reread);
    bool HasFocus(const QWidget* editor) const;
    bool HandleGridKey(QKeyEvent* key);
    void OpenCalendar();
    bool HandleEditorKey(QWidget* editor, QKeyEvent* event);
    void LeaveToCell(int key);

    ScheduleGrid& grid_;
    QWidget* host_;
    const ArgumentChoices* choices_;

    CellComboBox* combo1_ = nullptr;
    CellComboBox* combo2_ = nullptr;
    CellComboBox* combo3_ = nullptr;
    CellComboBox* combo4_ = nullptr;
    CellComboBox* combo5_ = nullptr;
    QDateEdit* picker1_ = nullptr;
    QTimeEdit* picker2_ = nullptr;
    std::array<QWidget*, 7> all_{};
    CellFocusRing* focusRing_ = nullptr;

    bool loading_ = false;
    bool dateDirty_ = false;
    DateTime loadedDate_ = 0;
    // What ComboBox5 holds: the row and action it was filled for.
    int argumentRow_ = -1;
    std::string argumentAction_;
};

} // namespace rimo
