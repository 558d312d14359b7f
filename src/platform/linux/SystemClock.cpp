#include "platform/linux/SystemClock.h"

#include <ctime>

namespace rimo {

namespace {

std::int64_t Milliseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

} // namespace

std::int64_t SystemClock::UnixMilliseconds() const {
    return Milliseconds(CLOCK_REALTIME);
}

std::int64_t SystemClock::SteadyMilliseconds() const {
    return Milliseconds(CLOCK_MONOTONIC);
}

} // namespace rimo
