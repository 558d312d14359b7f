#include "app/SecondTimer.h"

#include "platform/Clock.h"

#include <algorithm>

namespace rimo {

namespace {

std::int64_t SecondOfMs(std::int64_t unixMs) {
    return unixMs >= 0 ? unixMs / 1000 : -((999 - unixMs) / 1000);
}

} // namespace

SecondTimer::SecondTimer(SecondSource& source, const Clock& clock, QObject* parent)
    : QObject(parent), source_(source), clock_(clock) {
    source_.SetHandler([this](SecondWake why) { Woken(why); });
}

SecondTimer::~SecondTimer() {
    source_.SetHandler(nullptr);
    source_.Disarm();
}

void SecondTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        Arm();
    } else {
        quiet_ = false;
        armedFor_ = 0;
        source_.Disarm();
        Q_EMIT Stopped();
    }
}

void SecondTimer::Replan() {
    if (replanQueued_) {
        return;
    }
    replanQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            replanQueued_ = false;
            // A tick still running re-arms when it ends.
            if (depth_ == 0) {
                Arm();
            }
        },
        Qt::QueuedConnection);
}

void SecondTimer::TickSoon() {
    if (soon_) {
        return;
    }
    soon_ = true;
    Replan();
}

void SecondTimer::ArmNextSecond() {
    quiet_ = false;
    armedFor_ = SecondOfMs(clock_.UnixMilliseconds()) + 1;
    source_.ArmAt(armedFor_);
}

void SecondTimer::Arm() {
    if (!enabled_) {
        return;
    }
    if (soon_ || !quietWake_ || !everySecond_ || everySecond_()) {
        // The tick just over armed for the next second already.
        if (quiet_ || armedFor_ != SecondOfMs(clock_.UnixMilliseconds()) + 1) {
            ArmNextSecond();
        }
        return;
    }
    const std::int64_t nowMs = clock_.UnixMilliseconds();
    // A wake for the second that has begun comes at once.
    armedFor_ = std::max(quietWake_(nowMs), SecondOfMs(nowMs));
    quiet_ = true;
    source_.ArmAt(armedFor_);
}

void SecondTimer::Woken(SecondWake why) {
    if (!enabled_) {
        return;
    }
    soon_ = false;
    // Armed for the next second before the handlers run: one that waits in
    // a nested event loop still gets every tick; the quiet wake is chosen
    // once the outermost tick is over and the pass has covered its second.
    ArmNextSecond();
    ++depth_;
    Q_EMIT Tick(why);
    --depth_;
    if (depth_ == 0) {
        Arm();
    }
}

} // namespace rimo
