#pragma once

#include "core/DateTime.h"
#include "schedule/ScheduleTable.h"

#include <cstdint>
#include <string_view>

namespace rimo {

// Moves a row that runs at `now` to its next occurrence by its repetition
// (column 1): new dates go into column 2, new times into column 3. A row with
// no or an unknown repetition is left as it is. The hour kinds that pass
// midnight move to the next day, so that they keep running. Returns false, the
// row unchanged, when the date or time it needs cannot be read.
bool AdvanceRow(ScheduleRow& row, DateTime now);
bool AdvanceRow(ScheduleTable& table, int row, DateTime now);

// The step of an hour kind of repetition ("30分毎", "毎時", "隔時") in
// milliseconds; 0 for any other. Its runs lie this far apart, day or night.
std::int64_t HourKindStepMs(std::string_view repeat);

} // namespace rimo
