#include "net/WindowTimer.h"

#include <QTimer>

#include <cstdio>
#include <exception>

namespace rimo {

TWindowTimer::TWindowTimer(QObject* owner) : QObject(owner), timer_(new QTimer(this)) {
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &TWindowTimer::Tick);
}

TWindowTimer::~TWindowTimer() {
    timer_->stop();
}

void TWindowTimer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        UpdateTimer();
    }
}

void TWindowTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds != interval_) {
        interval_ = milliseconds;
        UpdateTimer();
    }
}

void TWindowTimer::SetOnTimer(std::function<void()> handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

bool TWindowTimer::Running() const {
    return timer_->isActive();
}

void TWindowTimer::UpdateTimer() {
    timer_->stop();
    if (interval_ != 0 && enabled_ && onTimer_) {
        timer_->start(static_cast<int>(interval_ > 0x7fffffffU ? 0x7fffffffU : interval_));
    }
}

void TWindowTimer::Tick() {
    if (!onTimer_) {
        return;
    }
    // Nothing may escape into the event loop.
    try {
        onTimer_();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "TWindowTimer: unknown exception\n");
    }
}

} // namespace rimo
