#pragma once

#include "platform/Clock.h"

namespace rimo {

// A clock that stands still until a test sets or advances it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(std::int64_t unixMs = 0) : unixMs_(unixMs) {}
    std::int64_t UnixMilliseconds() const override { return unixMs_; }

    void SetUnixMilliseconds(std::int64_t unixMs) { unixMs_ = unixMs; }
    void SetLocal(DateTime local) { unixMs_ = ToUnixMilliseconds(local); }
    void Advance(std::int64_t ms) { unixMs_ += ms; }

private:
    std::int64_t unixMs_;
};

} // namespace rimo
