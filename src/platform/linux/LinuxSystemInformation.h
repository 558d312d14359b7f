#pragma once

#include "platform/SystemInformation.h"

namespace rimo {

// Memory from /proc/meminfo (sysinfo() where that cannot be read); the
// time-stamp counter on x86-64, the virtual counter on ARM64, else the
// monotonic clock itself.
class LinuxSystemInformation final : public SystemInformation {
public:
    std::optional<MemoryStatus> Memory() override;
    CounterSample SampleCounter() override;
};

} // namespace rimo
