#pragma once

#include "platform/BootClock.h"

namespace rimo {

// CLOCK_BOOTTIME: monotonic, and counting the time the machine was suspended.
class LinuxBootClock final : public BootClock {
public:
    std::int64_t Milliseconds() const override;
};

} // namespace rimo
