#pragma once

#include <QObject>
#include <QTimer>

namespace rimo {

class Clock;

// The one-second tick. It fires just after each wall-clock second boundary
// (a precise single-shot timer re-armed at every tick), so it neither drifts
// from the clock nor skips seconds as an interval timer started at a random
// moment would.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    // How long after the boundary the tick fires, so the clock surely shows the new second.
    static constexpr int kAfterBoundaryMs = 3;

    explicit SecondTimer(const Clock& clock, QObject* parent = nullptr);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Milliseconds until the next tick should fire, for a given clock reading.
    static int DelayToNextTick(std::int64_t unixMilliseconds);

Q_SIGNALS:
    void Tick();

private:
    void Arm();
    void Fire();

    const Clock& clock_;
    QTimer timer_;
    bool enabled_ = false;
};

} // namespace rimo
