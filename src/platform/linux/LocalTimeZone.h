#pragma once

#include "platform/TimeZone.h"

namespace rimo {

// The zone of the C library (TZ, else /etc/localtime), read again at every
// call so that a change of zone is followed.
class LocalTimeZone final : public TimeZone {
public:
    int OffsetSeconds(std::int64_t unixSeconds) const override;
};

} // namespace rimo
