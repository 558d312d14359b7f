#pragma once

#include "fakes/FakeClock.h"
#include "platform/SecondSource.h"

#include <optional>

namespace rimo {

// A tick source that a test steps by hand: it records what it is armed for
// and wakes only when told.
class FakeSecondSource final : public SecondSource {
public:
    void ArmAt(std::int64_t unixSecond) override {
        armed_ = unixSecond;
        ++arms_;
    }
    void Disarm() override { armed_.reset(); }

    std::optional<std::int64_t> ArmedFor() const { return armed_; }
    int Arms() const { return arms_; }
    // Wakes as the kernel would (a clock change or resume wakes whatever is armed).
    void Fire(SecondWake why = SecondWake::Second) { Wake(why); }
    // The clock moves to the start of the armed second, and the source wakes;
    // false when it is not armed.
    bool Step(FakeClock& clock) {
        if (!armed_) {
            return false;
        }
        const std::int64_t second = *armed_;
        if (clock.UnixMilliseconds() < second * 1000) {
            clock.SetUnixMilliseconds(second * 1000);
        }
        Fire();
        return true;
    }

private:
    std::optional<std::int64_t> armed_;
    int arms_ = 0;
};

} // namespace rimo
