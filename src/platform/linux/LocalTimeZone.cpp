#include "platform/linux/LocalTimeZone.h"

#include <ctime>

namespace rimo {

int LocalTimeZone::OffsetSeconds(std::int64_t unixSeconds) const {
    ::tzset();
    const std::time_t moment = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (::localtime_r(&moment, &local) == nullptr) {
        return 0;
    }
    return static_cast<int>(local.tm_gmtoff);
}

} // namespace rimo
