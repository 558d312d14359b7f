#pragma once

#include <cstdint>

namespace rimo {

// A clock for measuring how much time has passed: it runs on while the
// machine sleeps and is never moved when the wall clock is set
// (CLOCK_BOOTTIME). The countdown timer measures its time on it.
class BootClock {
public:
    virtual ~BootClock() = default;
    // Milliseconds since an arbitrary fixed point (the machine's start).
    virtual std::int64_t Milliseconds() const = 0;
};

} // namespace rimo
