#pragma once

#include "core/DateTime.h"
#include "schedule/ScheduleTable.h"

#include <cstdint>
#include <vector>

namespace rimo {

// An enabled row whose second passed without a run.
struct MissedRow {
    ScheduleRow Row; // as it stood then (later runs, edits and catch-ups may change it)
    DateTime FirstDue = 0;
    DateTime LastDue = 0; // a repeating row may be missed several times
    int Count = 1;
};

// The enabled rows due in a local second from `first` to before `end`, each
// once, with every occurrence of a repeating row in that span counted (its
// repetition stepped as after a run). Rows whose cells name no exact second
// are passed over, as the pass passes over them.
std::vector<MissedRow> RowsDueBetween(const ScheduleTable& table, DateTime first, DateTime end);

// The enabled rows whose second lies before `end` (the candidates for
// RowsDueBetween once the span's start is known), as a table.
ScheduleTable RowsDueBefore(const ScheduleTable& table, DateTime end);

} // namespace rimo
