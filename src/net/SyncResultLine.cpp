#include "net/SyncResultLine.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rimo {

std::string FormatResultDateTime(DateTime value) {
    const std::string date = FormatShortDate(value);
    if (ToMilliseconds(TimeOf(value)) == 0) {
        return date;
    }
    return date + " " + FormatLongTime(value);
}

std::string FormatSyncResultLine(DateTime newLocal, DateTime previousLocal) {
    const std::int64_t newTime = ToMilliseconds(TimeOf(newLocal));
    const std::int64_t oldTime = ToMilliseconds(TimeOf(previousLocal));
    const std::int64_t timeDifference = newTime - oldTime;
    const std::int64_t dayDifference =
        (ToMilliseconds(DateOf(newLocal)) - ToMilliseconds(DateOf(previousLocal))) / kMsPerDay;

    std::string sign = timeDifference >= 0 ? " +" : " -";
    if (dayDifference < 0) {
        sign = " ";
    }
    const std::int64_t seconds = std::llabs(timeDifference) / 1000;
    char clock[16];
    std::snprintf(clock, sizeof clock, "/%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return FormatResultDateTime(newLocal) + sign + std::to_string(dayDifference) + clock;
}

std::string FormatSeconds(std::int64_t nanoseconds, bool withSign) {
    const std::int64_t magnitude = (std::llabs(nanoseconds) + 500'000) / 1'000'000; // ms
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%03lld",
                  nanoseconds < 0 && magnitude != 0 ? "-" : (withSign ? "+" : ""),
                  static_cast<long long>(magnitude / 1000),
                  static_cast<long long>(magnitude % 1000));
    return text;
}

} // namespace rimo
