#pragma once

#include "core/DateTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// The layouts of daytime replies that are understood, tested in this order.
enum class ReplyLayout {
    Nist,  // contains "NIST": "JJJJJ YY-MM-DD hh:mm:ss ..." in UTC
    Edt,   // contains "EDT": "Tuesday, December 31, 2024 9:59:58AM EDT", UTC-4
    Utc,   // contains "UTC": "Tue Dec 31 13:59:58 UTC 2024"
    Other, // "Tue Dec 31 09:59:58 2024", read as UTC-4
};

struct DayTimeReading {
    ReplyLayout Layout = ReplyLayout::Other;
    // The date-time text composed from the reply's fixed positions.
    std::string Text;
    // The server's time in UTC; empty when the text is not a date-time.
    std::optional<DateTime> Utc;
    // The conversion error for the user when Utc is empty.
    std::string Error;
};

// 1 to 12 for "JAN" to "DEC" (ASCII letters in any case), else 0.
int MonthNumber(std::string_view threeLetters);

ReplyLayout DetectReplyLayout(std::string_view reply);

// Reads a reply by the fixed positions of its layout. Never fails on any
// bytes: a reply that gives no valid date-time gives the conversion error.
DayTimeReading ReadDayTimeReply(std::string_view reply);

// "yyyy/m/d h:nn:ss" with one to four year digits; blanks are allowed around
// the numbers (ctime writes the day of the month padded with a blank); the
// time may be left out.
std::optional<DateTime> ReadReplyDateTime(std::string_view text);

// "'<text>' は日付または時刻ではありません"
std::string ConversionErrorText(std::string_view text);

} // namespace rimo
