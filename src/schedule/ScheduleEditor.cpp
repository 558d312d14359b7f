#include "schedule/ScheduleEditor.h"

#include "app/MainWindowState.h"
#include "platform/Clock.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleSort.h"

namespace rimo {

ScheduleEditor::ScheduleEditor(ScheduleGrid& grid, MainWindowState& state, const Clock& clock,
                               QObject* parent)
    : QObject(parent), grid_(grid), state_(state), clock_(clock) {}

void ScheduleEditor::Add1Click() {
    grid_.Table().AddRow();
}

void ScheduleEditor::Insert1Click() {
    const int row = grid_.CurrentTableRow();
    const int column = grid_.CurrentColumn();
    grid_.Table().InsertRow(row > 0 ? row : 1);
    grid_.SetCurrentCell(column, row > 0 ? row : 1);
}

void ScheduleEditor::Delete1Click() {
    const int row = grid_.CurrentTableRow();
    if (row <= 1) {
        return;
    }
    ScheduleTable& table = grid_.Table();
    // Cleared first, so that old texts never come back in a row added later.
    for (int column = 0; column < kScheduleColumns; ++column) {
        table.SetCell(column, row, {});
    }
    table.RemoveRow(row);
}

void ScheduleEditor::SortButtonClick() {
    SortScheduleRows(grid_.Table());
    grid_.SetCurrentCell(0, ChooseNextEvent(grid_.Table(), clock_.Now()));
    state_.TitleRefreshPending = true;
}

void ScheduleEditor::Test1Click() {
    state_.TestRequested = true;
}

} // namespace rimo
