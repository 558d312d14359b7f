#pragma once

#include "platform/TimeZone.h"

namespace rimo {

// A zone with one offset all year.
class FixedTimeZone final : public TimeZone {
public:
    explicit FixedTimeZone(int offsetSeconds) : offset_(offsetSeconds) {}
    int OffsetSeconds(std::int64_t) const override { return offset_; }

private:
    int offset_;
};

} // namespace rimo
