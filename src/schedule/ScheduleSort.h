#pragma once

#include "core/DateTime.h"
#include "schedule/ScheduleTable.h"

namespace rimo {

// Order of two schedule rows: by the date text directly followed by the time
// text, without regard to letter case (rows without date and time first).
bool CompareScheduleRows(const ScheduleRow& a, const ScheduleRow& b);

// Sorts rows 1.. of the table by CompareScheduleRows (equal keys keep their order).
void SortScheduleRows(ScheduleTable& table);

// The next event: the first enabled ("○") row whose date and time lie after
// `now`, or row 1 when there is none. A row whose date or time cannot be read
// is passed over.
int ChooseNextEvent(const ScheduleTable& table, DateTime now);

} // namespace rimo
