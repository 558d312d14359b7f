#pragma once

#include "core/DateTime.h"
#include "core/Message.h"
#include "schedule/ScheduleTable.h"

#include <optional>
#include <string>
#include <vector>

namespace rimo {

struct ScheduleRowProblem {
    int Row = 0;
    rimo::Message Message; // e.g. "'' は時刻ではありません"
};

// Moves repeating rows whose time has passed to their next occurrence, as at
// start-up. Rows whose date and time still lie ahead, and rows with no or an
// unknown repetition, are not touched. A row whose date or time cannot be
// read is left as it is and reported.
std::vector<ScheduleRowProblem> CatchUpSchedule(ScheduleTable& table, DateTime now);

// One row; nullopt-free: returns false and sets *problem when it cannot be read.
bool CatchUpRow(ScheduleRow& row, DateTime now, Message* problem);

// The moment a row names, when its cells are exactly the texts of that second
// (what the pass compares), else nullopt.
std::optional<DateTime> DueMoment(const ScheduleRow& row);

// An hour kind ("30分毎", "毎時", "隔時") whose moment is not after `after`
// moves to its first occurrence after it; false (nothing changed) for any
// other row.
bool StepHourRowPast(ScheduleRow& row, DateTime after);

// After a gap in the ticks: the repeating rows that would have been due in a
// second from `first` to before `now` move to their first occurrence not
// before `now`; every other row stays exactly as it is. Returns how many moved.
int CatchUpGap(ScheduleTable& table, DateTime first, DateTime now);

} // namespace rimo
