#pragma once

#include "platform/Clock.h"

namespace rimo {

class SystemClock final : public Clock {
public:
    std::int64_t UnixMilliseconds() const override;
    std::int64_t SteadyMilliseconds() const override;
};

} // namespace rimo
