#pragma once

#include <QObject>

namespace rimo {

class Clock;
class ScheduleGrid;
struct MainWindowState;

// Edits the schedule in the grid: the row operations below it, the sort with
// the choice of the next event, and the test request. The scheduler reuses
// SortButtonClick after each run and Delete1Click for a row marked "する".
class ScheduleEditor : public QObject {
    Q_OBJECT
public:
    ScheduleEditor(ScheduleGrid& grid, MainWindowState& state, const Clock& clock,
                   QObject* parent = nullptr);

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

private:
    ScheduleGrid& grid_;
    MainWindowState& state_;
    const Clock& clock_;
};

} // namespace rimo
