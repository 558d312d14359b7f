#pragma once

#include "core/DateTime.h"
#include "core/Message.h"

#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// The layouts of daytime replies that are understood, tested in this order.
// The zone names EDT and EST count as words of their own only, so that
// "AEDT" or "CEST" is never taken for an American zone.
enum class ReplyLayout {
    Nist,  // contains "NIST": "JJJJJ YY-MM-DD hh:mm:ss TT L H ..." in UTC
    Edt,   // names EDT: "Tuesday, December 31, 2024 9:59:58AM EDT", UTC-4
    Est,   // names EST: the same words, UTC-5
    Utc,   // contains "UTC": "Tue Dec 31 13:59:58 UTC 2024"
    Other, // "Tue Dec 31 09:59:58 2024": no zone; first read as UTC-4
};

// Whether the layout says which zone its time is in.
bool NamesItsZone(ReplyLayout layout);

struct DayTimeReading {
    ReplyLayout Layout = ReplyLayout::Other;
    // The date-time text composed from the reply's fixed positions.
    std::string Text;
    // The date-time the text gives, on the server's own clock face.
    std::optional<DateTime> Written;
    // The server's time in UTC, by the layout's zone (UTC-4 for the layout
    // without one); empty when the text is not a date-time.
    std::optional<DateTime> Utc;
    // The conversion error for the user when Utc is empty.
    Message Error;
    // The date was there but the time field was blank.
    bool TimeBlank = false;
    // NIST's health digit (0 healthy, 1 within 5 seconds, 2 or more: worse);
    // -1 when the reply has none.
    int NistHealth = -1;
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
Message ConversionErrorText(std::string_view text);

} // namespace rimo
