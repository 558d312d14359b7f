#pragma once

#include "platform/Clock.h"

namespace rimo {

// A clock that stands still until a test sets or advances it. Moving it
// forward is time passing (its steady reading follows); moving it back, or
// SetByHand, is the clock being set; Sleep is a suspend.
class FakeClock final : public Clock {
public:
    explicit FakeClock(std::int64_t unixMs = 0) : unixMs_(unixMs) {}
    std::int64_t UnixMilliseconds() const override { return unixMs_; }
    std::int64_t SteadyMilliseconds() const override { return steadyMs_; }

    void SetUnixMilliseconds(std::int64_t unixMs) {
        if (unixMs > unixMs_) {
            steadyMs_ += unixMs - unixMs_;
        }
        unixMs_ = unixMs;
    }
    void SetLocal(DateTime local) { SetUnixMilliseconds(ToUnixMilliseconds(local)); }
    void Advance(std::int64_t ms) { SetUnixMilliseconds(unixMs_ + ms); }
    // The wall clock set by `ms` (either way) while no time passes.
    void SetByHand(std::int64_t ms) { unixMs_ += ms; }
    // The machine sleeps for `ms`: the wall clock runs on, the steady one stands.
    void Sleep(std::int64_t ms) { unixMs_ += ms; }

private:
    std::int64_t unixMs_;
    std::int64_t steadyMs_ = 1'000'000;
};

} // namespace rimo
