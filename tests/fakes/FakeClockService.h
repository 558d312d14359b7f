#pragma once

#include "platform/ClockService.h"

#include <vector>

namespace rimo {

// Records the times it is asked to set; refuses with a reason when told to.
class FakeClockService final : public ClockService {
public:
    Status SetSystemTime(std::int64_t unixMilliseconds) override {
        Calls.push_back(unixMilliseconds);
        return Refusal.empty() ? Status::Ok() : Status::Error(Refusal);
    }

    std::vector<std::int64_t> Calls;
    std::string Refusal;
};

} // namespace rimo
