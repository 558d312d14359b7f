#pragma once

#include "platform/BootClock.h"

namespace rimo {

// Elapsed time that stands still until a test advances it (a suspend is a
// large step).
class FakeBootClock final : public BootClock {
public:
    std::int64_t Milliseconds() const override { return ms_; }
    void Advance(std::int64_t ms) { ms_ += ms; }

private:
    std::int64_t ms_ = 1'000'000;
};

} // namespace rimo
