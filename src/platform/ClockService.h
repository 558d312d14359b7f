#pragma once

#include "core/Status.h"

#include <cstdint>

namespace rimo {

// Sets the system clock. The running program asks systemd-timedated (which
// may ask the user for a password) and, where that service is missing, sets
// the clock itself (needs CAP_SYS_TIME). Tests use a recording fake.
class ClockService {
public:
    virtual ~ClockService() = default;
    // Sets the clock to the UTC moment given in milliseconds since the Unix
    // epoch. On a refusal the message says why.
    virtual Status SetSystemTime(std::int64_t unixMilliseconds) = 0;
};

} // namespace rimo
