#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rimo {

// Physical memory, in bytes.
struct MemoryStatus {
    std::uint64_t TotalBytes = 0;
    std::uint64_t AvailableBytes = 0;
};

// The processor's cycle counter and a monotonic clock, read together.
struct CounterSample {
    std::uint64_t Cycles = 0;
    std::int64_t Nanoseconds = 0;
};

// The memory figures and the cycle counter of the about page.
class SystemInformation {
public:
    virtual ~SystemInformation() = default;
    // nullopt when the system does not tell.
    virtual std::optional<MemoryStatus> Memory() = 0;
    // Returns at once (never waits).
    virtual CounterSample SampleCounter() = 0;
};

// The figures of /proc/meminfo (in kB): MemTotal and MemAvailable; a kernel
// without MemAvailable gives MemFree + Buffers + Cached. nullopt without MemTotal.
std::optional<MemoryStatus> ParseMemInfo(std::string_view text);

} // namespace rimo
