#pragma once

#include "core/DateTime.h"
#include "core/Message.h"
#include "net/DayTimeReply.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace rimo {

// A zone: seconds to add to UTC at a Unix time (daylight saving included).
using ZoneOffset = std::function<int(std::int64_t unixSeconds)>;

// A UTC date-time value as milliseconds since the Unix epoch, and back.
std::int64_t UtcToUnixMs(DateTime utc);
DateTime UnixMsToUtc(std::int64_t unixMs);
// The date-time on the zone's clock face at a moment.
DateTime LocalAt(std::int64_t unixMs, const ZoneOffset& zone);

// What a synchronisation needs to judge a reply.
struct SyncContext {
    // This PC's clock before it is set (milliseconds since the Unix epoch).
    std::int64_t NowUnixMs = 0;
    // This PC's zone.
    ZoneOffset LocalOffset;
    // No reply before this day (the build date) is believed.
    DateTime NotBefore = 0;
};

// The moment a reply sets the clock to, or why it sets nothing.
struct SyncDecision {
    // The UTC moment to set (milliseconds since the Unix epoch).
    std::optional<std::int64_t> UnixMs;
    // Why the clock is not set, for the second line of the failure message.
    Message Refusal;
};

// Largest correction a reply without a zone may make.
constexpr std::int64_t kUnzonedCorrectionLimitMs = 30 * 60 * 1000;
// A zone-less correction within this of a whole quarter hour (15 or 30
// minutes) is a zone difference, not a clock error: refused.
constexpr std::int64_t kZoneStepToleranceMs = 60 * 1000;
// Replies after this year are not believed.
constexpr int kLatestYear = 2100;

// Judges a readable reply (reading.Utc set). A reply that names its zone is
// taken whatever the correction: setting a badly wrong clock is what a
// synchronisation is for. A reply without a zone is read as UTC-4 and on
// this PC's zone; the reading nearer to this PC's clock is taken when it is
// within 30 minutes of it and not about a quarter or half hour away (a
// server in a neighbouring zone); otherwise refused. Refused too: a blank
// time field, NIST's health digit 2 or more, a time before NotBefore or
// after the year 2100.
SyncDecision DecideClockSetting(const DayTimeReading& reading, const SyncContext& context);

// A server's time as such: refused before NotBefore or after the year 2100,
// else the moment itself.
SyncDecision CheckServerTime(std::int64_t unixMs, const SyncContext& context);

// "9時間05分", "3日4時間00分", "45分": a distance for the user.
Message FormatDistance(std::int64_t ms);

} // namespace rimo
