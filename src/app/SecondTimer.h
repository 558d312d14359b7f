#pragma once

#include "platform/SecondSource.h"

#include <QObject>

#include <cstdint>
#include <functional>

namespace rimo {

class Clock;

// The one-second tick (Timer1) on a source that wakes at the very start of
// a wall-clock second. While something shown or running needs it, it ticks
// at every second; otherwise it sleeps until the second it is told to wake
// at (the next due row), or until the clock is set or the machine resumes.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    SecondTimer(SecondSource& source, const Clock& clock, QObject* parent = nullptr);
    ~SecondTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Whether something needs a tick at every second (asked at each arming).
    void SetEverySecond(std::function<bool()> needed) { everySecond_ = std::move(needed); }
    // The Unix second to wake at when nothing needs every second.
    void SetQuietWake(std::function<std::int64_t(std::int64_t unixMs)> wake) {
        quietWake_ = std::move(wake);
    }
    // What decides the arming changed: armed anew once the event loop is
    // back (several requests, one arming).
    void Replan();
    // One tick at the next second even when quiet (a text to bring up to date).
    void TickSoon();

    // Armed for a quiet wake (not the next second).
    bool Quiet() const { return quiet_; }
    std::int64_t ArmedFor() const { return armedFor_; }

Q_SIGNALS:
    void Tick(rimo::SecondWake why);
    // Disabled: no tick comes until it is enabled again.
    void Stopped();

private:
    void Arm();
    void ArmNextSecond();
    void Woken(SecondWake why);

    SecondSource& source_;
    const Clock& clock_;
    std::function<bool()> everySecond_;
    std::function<std::int64_t(std::int64_t)> quietWake_;
    bool enabled_ = false;
    bool quiet_ = false;
    bool soon_ = false;
    bool replanQueued_ = false;
    int depth_ = 0; // ticks running (one waits in a nested event loop)
    std::int64_t armedFor_ = 0;
};

} // namespace rimo
