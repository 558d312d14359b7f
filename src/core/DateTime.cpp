#include "core/DateTime.h"

#include "core/Message.h"

#include "core/Text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace rimo {

namespace {

constexpr std::int64_t kMsPerSecond = 1000;
constexpr std::int64_t kMsPerMinute = 60 * kMsPerSecond;
constexpr std::int64_t kMsPerHour = 60 * kMsPerMinute;

// Days from 0001-01-01 (day 0) to 1899-12-30.
constexpr std::int64_t kDateDelta = 693593;

// Days since 0001-01-01 (day 0) of a valid date.
std::int64_t DaysFromCivil(int year, int month, int day) {
    static constexpr std::array<int, 12> cumulative{0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    const std::int64_t y = year - 1;
    std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    days += cumulative[month - 1] + day - 1;
    if (month > 2 && IsLeapYear(year)) {
        ++days;
    }
    return days;
}

DateParts CivilFromDays(std::int64_t days) {
    // Howard Hinnant's civil-from-days algorithm (eras of 400 years from 0000-03-01).
    // `days` counts from 0001-01-01; 719162 days later is 1970-01-01.
    const std::int64_t z = days - 719162 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = yoe + era * 400;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    return DateParts{static_cast<int>(m <= 2 ? y + 1 : y), static_cast<int>(m),
                     static_cast<int>(d)};
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Reads up to `maxDigits` decimal digits at `pos`; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
    int digits = 0;
    value = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) {
        return 29;
    }
    return days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

DateTime EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, month, day) - kDateDelta);
}

std::optional<DateTime> TryEncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) {
        return std::nullopt;
    }
    return EncodeDate(year, month, day);
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    return FromMilliseconds(hour * kMsPerHour + minute * kMsPerMinute + second * kMsPerSecond +
                            millisecond);
}

DateTime EncodeDateTime(const DateParts& date, const TimeParts& time) {
    return FromMilliseconds(
        ToMilliseconds(EncodeDate(date.Year, date.Month, date.Day)) +
        ToMilliseconds(EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond)));
}

std::int64_t ToMilliseconds(DateTime value) {
    return static_cast<std::int64_t>(std::llround(value * static_cast<double>(kMsPerDay)));
}

DateTime FromMilliseconds(std::int64_t ms) {
    // Whole days and the fraction apart, so that large values keep their milliseconds.
    const std::int64_t days = FloorDiv(ms, kMsPerDay);
    const std::int64_t rest = ms - days * kMsPerDay;
    return static_cast<double>(days) + static_cast<double>(rest) / static_cast<double>(kMsPerDay);
}

DateParts DecodeDate(DateTime value) {
    return CivilFromDays(FloorDiv(ToMilliseconds(value), kMsPerDay) + kDateDelta);
}

TimeParts DecodeTime(DateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    std::int64_t rest = ms - FloorDiv(ms, kMsPerDay) * kMsPerDay;
    TimeParts parts;
    parts.Hour = static_cast<int>(rest / kMsPerHour);
    rest %= kMsPerHour;
    parts.Minute = static_cast<int>(rest / kMsPerMinute);
    rest %= kMsPerMinute;
    parts.Second = static_cast<int>(rest / kMsPerSecond);
    parts.Millisecond = static_cast<int>(rest % kMsPerSecond);
    return parts;
}

DateTime DateOf(DateTime value) {
    return static_cast<double>(FloorDiv(ToMilliseconds(value), kMsPerDay));
}

DateTime TimeOf(DateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    return FromMilliseconds(ms - FloorDiv(ms, kMsPerDay) * kMsPerDay);
}

int DayOfWeek(DateTime value) {
    // 1899-12-30 was a Saturday.
    const std::int64_t days = FloorDiv(ToMilliseconds(value), kMsPerDay);
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

const std::array<const char*, 7>& DayNames() {
    // Stored in every language; the interface shows them translated.
    static constexpr std::array<const char*, 7> names{
        QT_TRANSLATE_NOOP("rimo::Weekday", "日"), QT_TRANSLATE_NOOP("rimo::Weekday", "月"),
        QT_TRANSLATE_NOOP("rimo::Weekday", "火"), QT_TRANSLATE_NOOP("rimo::Weekday", "水"),
        QT_TRANSLATE_NOOP("rimo::Weekday", "木"), QT_TRANSLATE_NOOP("rimo::Weekday", "金"),
        QT_TRANSLATE_NOOP("rimo::Weekday", "土")};
    return names;
}

std::string_view DayName(DateTime value) {
    return DayNames()[DayOfWeek(value) - 1];
}

DateTime AddDays(DateTime value, int days) {
    return FromMilliseconds(ToMilliseconds(value) + static_cast<std::int64_t>(days) * kMsPerDay);
}

DateTime AddSeconds(DateTime value, std::int64_t seconds) {
    return FromMilliseconds(ToMilliseconds(value) + seconds * kMsPerSecond);
}

DateTime IncMonth(DateTime value, int months) {
    const DateParts date = DecodeDate(value);
    std::int64_t monthIndex = static_cast<std::int64_t>(date.Year) * 12 + (date.Month - 1) + months;
    int year = static_cast<int>(FloorDiv(monthIndex, 12));
    int month = static_cast<int>(monthIndex - static_cast<std::int64_t>(year) * 12) + 1;
    if (year < 1 || year > 9999) {
        return value; // outside the calendar's range: unchanged
    }
    const int day = date.Day <= DaysInMonth(year, month) ? date.Day : DaysInMonth(year, month);
    return FromMilliseconds(ToMilliseconds(EncodeDate(year, month, day)) +
                            ToMilliseconds(TimeOf(value)));
}

std::string FormatScheduleDate(DateTime value) {
    return FormatShortDate(value) + "/" + std::string(DayName(value));
}

std::string FormatScheduleTime(DateTime value) {
    const TimeParts t = DecodeTime(value);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.Hour, t.Minute, t.Second);
    return buffer;
}

std::string FormatLongTime(DateTime value) {
    const TimeParts t = DecodeTime(value);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", t.Hour, t.Minute, t.Second);
    return buffer;
}

std::string FormatShortDate(DateTime value) {
    const DateParts d = DecodeDate(value);
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", d.Year, d.Month, d.Day);
    return buffer;
}

namespace {

struct YearMonthDay {
    int Year = 0;
    int YearDigits = 0;
    int Month = 0;
    int Day = 0;
};

// "y/m/d": one to four digit year, one or two digit month and day, nothing else.
std::optional<YearMonthDay> ReadYearMonthDay(std::string_view text) {
    text = TrimBlanks(text);
    std::size_t pos = 0;
    YearMonthDay date;
    if (!ReadNumber(text, pos, 4, date.Year)) {
        return std::nullopt;
    }
    date.YearDigits = static_cast<int>(pos);
    if (!Expect(text, pos, '/') || !ReadNumber(text, pos, 2, date.Month) ||
        !Expect(text, pos, '/') || !ReadNumber(text, pos, 2, date.Day) || pos != text.size()) {
        return std::nullopt;
    }
    return date;
}

} // namespace

std::optional<DateTime> ReadDate(std::string_view text) {
    const std::optional<YearMonthDay> date = ReadYearMonthDay(text);
    if (!date) {
        return std::nullopt;
    }
    return TryEncodeDate(date->Year, date->Month, date->Day);
}

namespace {

// The characters [first, first + count) of a UTF-8 text, cut before a third
// "/" (the separator before the day name, which one-digit fields bring in).
std::string_view DateField(std::string_view cell, std::size_t first, std::size_t count) {
    std::size_t begin = cell.size();
    std::size_t end = cell.size();
    std::size_t character = 0;
    for (std::size_t i = 0; i <= cell.size(); ++i) {
        const bool starts =
            i == cell.size() || (static_cast<unsigned char>(cell[i]) & 0xC0) != 0x80;
        if (!starts) {
            continue;
        }
        if (character == first) {
            begin = i;
        }
        if (character == first + count) {
            end = i;
            break;
        }
        ++character;
    }
    if (begin >= end) {
        return {};
    }
    std::string_view field = cell.substr(begin, end - begin);
    std::size_t slashes = 0;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '/' && ++slashes == 3) {
            return field.substr(0, i);
        }
    }
    return field;
}

} // namespace

std::optional<DateTime> ReadScheduleDate(std::string_view cell) {
    return ReadDate(DateField(cell, 0, 10));
}

std::optional<DateTime> ReadTwoDigitYearDate(std::string_view cell, int currentYear) {
    const std::optional<YearMonthDay> date = ReadYearMonthDay(DateField(cell, 2, 8));
    if (!date) {
        return std::nullopt;
    }
    int year = date->Year;
    if (date->YearDigits <= 2) {
        // The two-digit-year window: from 50 years before the current year.
        const int windowStart = currentYear - 50;
        year += windowStart / 100 * 100;
        if (year < windowStart) {
            year += 100;
        }
    }
    return TryEncodeDate(year, date->Month, date->Day);
}

std::optional<DateTime> ReadTime(std::string_view text) {
    text = TrimBlanks(text);
    std::size_t pos = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!ReadNumber(text, pos, 2, hour) || !Expect(text, pos, ':') ||
        !ReadNumber(text, pos, 2, minute)) {
        return std::nullopt;
    }
    if (Expect(text, pos, ':') && !ReadNumber(text, pos, 2, second)) {
        return std::nullopt;
    }
    if (pos != text.size() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return EncodeTime(hour, minute, second);
}

DateTime FromUnixMilliseconds(std::int64_t unixMs) {
    const std::int64_t seconds = FloorDiv(unixMs, 1000);
    const std::int64_t millis = unixMs - seconds * 1000;
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    const DateParts date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    // A leap second (tm_sec 60) counts as the last second of its minute.
    const TimeParts time{local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                         static_cast<int>(millis)};
    return EncodeDateTime(date, time);
}

std::int64_t ToUnixMilliseconds(DateTime local) {
    const DateParts date = DecodeDate(local);
    const TimeParts time = DecodeTime(local);
    std::tm parts{};
    parts.tm_year = date.Year - 1900;
    parts.tm_mon = date.Month - 1;
    parts.tm_mday = date.Day;
    parts.tm_hour = time.Hour;
    parts.tm_min = time.Minute;
    parts.tm_sec = time.Second;
    parts.tm_isdst = -1;
    const std::time_t t = std::mktime(&parts);
    return static_cast<std::int64_t>(t) * 1000 + time.Millisecond;
}

} // namespace rimo
