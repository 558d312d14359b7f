#pragma once

#include "platform/ClockService.h"

#include <vector>

namespace rimo {

// Records the offsets it is asked to move the clock by; says whether a time
// service keeps the clock, and refuses with a reason, as a test tells it.
class FakeClockService final : public ClockService {
public:
    AutomaticSync AutomaticSyncState() override {
        ++Queries;
        return State;
    }
    ClockSetResult ShiftSystemTime(std::int64_t offsetMicroseconds) override {
        Shifts.push_back(offsetMicroseconds);
        if (Refusal.empty()) {
            return {};
        }
        return {RefusedAsKept ? ClockSetOutcome::KeptBySystem : ClockSetOutcome::Refused, Refusal};
    }

    // timedated's answer: there, no time service keeping the clock.
    AutomaticSync State{true, false, false, true};
    int Queries = 0;
    std::vector<std::int64_t> Shifts; // microseconds
    std::string Refusal;
    bool RefusedAsKept = false; // the refusal says a time service keeps the clock
};

} // namespace rimo
