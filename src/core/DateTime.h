#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// The program's date-time value: days since 1899-12-30 in the integer part,
// the time of day as the fraction. All arithmetic is done on whole
// milliseconds, so repeated additions never drift.
using DateTime = double;

constexpr std::int64_t kMsPerDay = 86'400'000;

struct DateParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

struct TimeParts {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day); // years 1 to 9999

// Requires a valid date (IsValidDate).
DateTime EncodeDate(int year, int month, int day);
std::optional<DateTime> TryEncodeDate(int year, int month, int day);
DateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
DateTime EncodeDateTime(const DateParts& date, const TimeParts& time);

DateParts DecodeDate(DateTime value);
TimeParts DecodeTime(DateTime value);

// Whole milliseconds since 1899-12-30 00:00:00 and back.
std::int64_t ToMilliseconds(DateTime value);
DateTime FromMilliseconds(std::int64_t ms);

DateTime DateOf(DateTime value); // midnight of the value's day
DateTime TimeOf(DateTime value); // the time of day alone

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(DateTime value);
// "日", "月", "火", "水", "木", "金", "土" for Sunday to Saturday.
std::string_view DayName(DateTime value);
// The seven day names, Sunday first (marked for translation, context "rimo::Weekday").
const std::array<const char*, 7>& DayNames();

DateTime AddDays(DateTime value, int days);
DateTime AddSeconds(DateTime value, std::int64_t seconds);
// Months later (or earlier), keeping the time of day; a day the target month
// lacks becomes its last day (31 January + 1 month = 28 or 29 February).
DateTime IncMonth(DateTime value, int months);

// Formats of the program (Japanese conventions whatever the machine's locale).
std::string FormatScheduleDate(DateTime value); // "yyyy/mm/dd/ddd", e.g. "2002/08/22/木"
std::string FormatScheduleTime(DateTime value); // "hh:nn:ss"
std::string FormatLongTime(DateTime value);     // "h:nn:ss"
std::string FormatShortDate(DateTime value);    // "yyyy/mm/dd"

// Reading dates and times from the fixed positions of the schedule texts.
// The date of a schedule cell: its first ten characters as year/month/day.
std::optional<DateTime> ReadScheduleDate(std::string_view cell);
// The catch-up's read of a schedule cell: characters 3 to 10 as "yy/mm/dd",
// the century chosen by the two-digit-year rule around `currentYear`
// (years within 50 before it up to 49 after it).
std::optional<DateTime> ReadTwoDigitYearDate(std::string_view cell, int currentYear);
// A date "y/m/d" with one to four digit year; surrounding blanks allowed.
std::optional<DateTime> ReadDate(std::string_view text);
// A time of day "h:nn" or "h:nn:ss" (one or two digits each); blanks around allowed.
std::optional<DateTime> ReadTime(std::string_view text);

// Local date-time of a moment given as milliseconds since the Unix epoch
// (the machine's time zone, daylight saving included).
DateTime FromUnixMilliseconds(std::int64_t unixMs);
// The Unix time of a local date-time value (for an ambiguous or skipped local
// time around a daylight-saving change, the C library's choice).
std::int64_t ToUnixMilliseconds(DateTime local);

} // namespace rimo
