#pragma once

#include <cstdint>

namespace rimo {

// The local time zone: its offset from UTC at a moment, daylight saving
// included (so that local times shown after a synchronisation are right all
// year).
class TimeZone {
public:
    virtual ~TimeZone() = default;
    // Seconds to add to UTC to get local time, at the given Unix time.
    virtual int OffsetSeconds(std::int64_t unixSeconds) const = 0;
};

} // namespace rimo
