#pragma once

#include "core/DateTime.h"

#include <string>

namespace rimo {

// A date-time as the result list shows it: "yyyy/mm/dd h:nn:ss", the date
// alone at exactly midnight.
std::string FormatResultDateTime(DateTime value);

// The result line of a synchronisation: the new local time, then the
// difference from the clock before: " +" when the new time of day is not
// earlier than the old one, else " -", but a single blank when the day
// difference is negative; the day difference; "/hh:nn:ss" of the time-of-day
// difference's magnitude. A clock 3 seconds slow: "2025/01/01 8:59:58 +0/00:00:03".
std::string FormatSyncResultLine(DateTime newLocal, DateTime previousLocal);

// Seconds to the nearest millisecond: "+3.004", "-0.120", or without the
// plus sign "0.012" when `withSign` is false.
std::string FormatSeconds(std::int64_t nanoseconds, bool withSign);

} // namespace rimo
