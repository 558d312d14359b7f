#pragma once

#include "platform/ClockService.h"

#include <QDBusConnection>

#include <functional>

class QDBusMessage;

namespace rimo {

// The clock through systemd-timedated on the system bus. Its properties say
// whether a time service keeps the clock; SetTime(offset, relative = true,
// interactive = true) sets it, so polkit may ask for a password and the
// offset is added to the clock as timedated sets it. Its refusals
// (AccessDenied, AutomaticTimeSyncEnabled, ...) are reported with their
// reason. Only where timedated is not on the bus is the clock set directly
// (`fallback`, clock_settime by default).
class TimedatedClockService final : public ClockService {
public:
    using Fallback = std::function<ClockSetResult(std::int64_t offsetMicroseconds)>;

    explicit TimedatedClockService(QDBusConnection bus = QDBusConnection::systemBus(),
                                   Fallback fallback = ShiftClockDirectly);

    AutomaticSync AutomaticSyncState() override;
    ClockSetResult ShiftSystemTime(std::int64_t offsetMicroseconds) override;

    // clock_settime(CLOCK_REALTIME) to now + offset; refused without CAP_SYS_TIME.
    static ClockSetResult ShiftClockDirectly(std::int64_t offsetMicroseconds);

    // How long the user may take to answer a password prompt.
    static constexpr int kCallTimeoutMs = 120'000;
    // How long timedated may take to start and answer a question.
    static constexpr int kQueryTimeoutMs = 10'000;

private:
    // The call's answer, the event loop running meanwhile; an invalid
    // message when the program quits first.
    QDBusMessage Call(const QDBusMessage& call, int timeoutMs);

    QDBusConnection bus_;
    Fallback fallback_;
};

} // namespace rimo
