#pragma once

#include <QObject>

#include <string>

namespace rimo {

class ArgumentChoices;
class Clock;
class ScheduleCellEditors;
class ScheduleFileInput;
class ScheduleGrid;
class ScheduleGridHints;
class SchedulePopupMenu;
struct MainWindowState;

// Edits the schedule in the grid: the cell editors laid over the current
// cell with their change handlers, the selection step, the row operations
// below the grid and in its menu, the sort with the choice of the next event,
// the test request, files browsed for or dropped into column 5, and the hints.
// The scheduler reuses SortButtonClick after each run and Delete1Click for a
// row marked "する".
class ScheduleEditor : public QObject {
    Q_OBJECT
public:
    // The cell editors and the menu are made on the grid's parent widget (the
    // main window), which also takes the dropped files.
    ScheduleEditor(ScheduleGrid& grid, MainWindowState& state, const Clock& clock,
                   QObject* parent = nullptr);
    ~ScheduleEditor() override;

    // Where the list over column 5 gets the launcher titles and the screen
    // savers; the designed titles until this is called. Must outlive the editor.
    void SetArgumentChoices(const ArgumentChoices& choices);

    ScheduleCellEditors& CellEditors() const { return *cellEditors_; }
    SchedulePopupMenu& PopupMenu() const { return *popupMenu_; }
    ScheduleGridHints& Hints() const { return *hints_; }
    ScheduleFileInput& FileInput() const { return *fileInput_; }

    // An empty row at the end.
    void Add1Click();
    // An empty row at the current row; the rows from there move down.
    void Insert1Click();
    // Removes the current row, its cells cleared first; never the first
    // schedule row or the header.
    void Delete1Click();
    // Sorts by date and time and makes column 0 of the next event current.
    void SortButtonClick();
    // Asks for a test run of the current row at the next tick.
    void Test1Click();
    // Browses for a file into the current cell (column 5).
    void Refer1Click();

    // A cell became current: the title is to be rebuilt, typing and the drop
    // target follow the column, the pickers load the row's date and time.
    void StringGrid1SelectCell(int column, int row);
    // The grid lost the focus: the tick must be running.
    void StringGrid1Exit();

    void ComboBox1Change();
    void DateTimePicker1Change();
    void DateTimePicker2Change();
    void ComboBox2Change();
    void ComboBox3Change();
    void ComboBox4Change();
    void ComboBox5Change();
    // An enabled row must have a date, a time, an action and, for a message or
    // a program start, its argument. On a failure the row is disabled ("×"),
    // the user is told and the missing field becomes current.
    bool CheckRowComplete();

    // The seven cell editors hidden (each time the window is shown).
    void HideCellEditors();

Q_SIGNALS:
    // The main tick timer must be enabled.
    void TimerEnableRequested();
    // Something waits for the next tick (a rebuilt title, a test): it must
    // come even while the tick sleeps.
    void NextTickWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The current row when the current column is `column` (a choice made in
    // an editor whose cell is no longer current is dropped), else 0.
    int RowForColumn(int column) const;
    void WritePickedDate();
    void GridGoing();

    ScheduleGrid& grid_;
    MainWindowState& state_;
    const Clock& clock_;
    QWidget* host_;
    ScheduleCellEditors* cellEditors_ = nullptr;
    SchedulePopupMenu* popupMenu_ = nullptr;
    ScheduleGridHints* hints_ = nullptr;
    ScheduleFileInput* fileInput_ = nullptr;
    bool gridGone_ = false;
    // The date cell as it was when its row was selected (Esc in the date
    // picker puts it back).
    int dateRow_ = 0;
    std::string dateBeforeEdit_;
};

} // namespace rimo
