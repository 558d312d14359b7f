#include "platform/linux/LinuxBootClock.h"

#include <ctime>

namespace rimo {

std::int64_t LinuxBootClock::Milliseconds() const {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

} // namespace rimo
