#pragma once

#include "platform/SystemInformation.h"

#include <deque>

namespace rimo {

// Memory figures as set; counter samples handed out in order (the last one
// again when the list runs out). Samples taken are counted.
class FakeSystemInformation final : public SystemInformation {
public:
    std::optional<MemoryStatus> Memory() override { return MemoryFigures; }
    CounterSample SampleCounter() override {
        ++SamplesTaken;
        if (Samples.size() > 1) {
            const CounterSample sample = Samples.front();
            Samples.pop_front();
            return sample;
        }
        return Samples.empty() ? CounterSample{} : Samples.front();
    }

    std::optional<MemoryStatus> MemoryFigures;
    std::deque<CounterSample> Samples;
    int SamplesTaken = 0;
};

} // namespace rimo
