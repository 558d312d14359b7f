#pragma once

#include "core/DateTime.h"

#include <cstdint>

namespace rimo {

// The wall clock. The running program reads the system's; tests use a fake
// they set and advance.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the Unix epoch (UTC).
    virtual std::int64_t UnixMilliseconds() const = 0;
    // Milliseconds of a clock that is never set and stands still while the
    // machine sleeps (CLOCK_MONOTONIC): the wall clock moving more than it
    // means the clock was set or the machine slept.
    virtual std::int64_t SteadyMilliseconds() const = 0;
    // The local date-time now.
    DateTime Now() const { return FromUnixMilliseconds(UnixMilliseconds()); }
};

} // namespace rimo
