#include "app/SecondTimer.h"

#include "platform/Clock.h"

namespace rimo {

SecondTimer::SecondTimer(const Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTimer::Fire);
}

void SecondTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        Arm();
    } else {
        timer_.stop();
    }
}

int SecondTimer::DelayToNextTick(std::int64_t unixMilliseconds) {
    const auto intoSecond = static_cast<int>(((unixMilliseconds % 1000) + 1000) % 1000);
    return 1000 - intoSecond + kAfterBoundaryMs;
}

void SecondTimer::Arm() { timer_.start(DelayToNextTick(clock_.UnixMilliseconds())); }

void SecondTimer::Fire() {
    // Re-armed before the handlers run: a handler that waits in a nested
    // event loop still gets the following ticks.
    Arm();
    Q_EMIT Tick();
}

} // namespace rimo
