#pragma once

#include "platform/ClockService.h"

#include <QDBusConnection>

#include <functional>

namespace rimo {

// Sets the clock through systemd-timedated on the system bus:
// SetTime(usec, relative = false, interactive = true), so polkit may ask for
// a password. Its refusals (AccessDenied, AutomaticTimeSyncEnabled, ...) are
// reported with their reason. Only where timedated is not on the bus does it
// set the clock directly (`fallback`, clock_settime by default).
class TimedatedClockService final : public ClockService {
public:
    using Fallback = std::function<Status(std::int64_t unixMilliseconds)>;

    explicit TimedatedClockService(QDBusConnection bus = QDBusConnection::systemBus(),
                                   Fallback fallback = SetClockDirectly);

    Status SetSystemTime(std::int64_t unixMilliseconds) override;

    // clock_settime(CLOCK_REALTIME); refused without CAP_SYS_TIME.
    static Status SetClockDirectly(std::int64_t unixMilliseconds);

    // How long the user may take to answer a password prompt.
    static constexpr int kCallTimeoutMs = 120'000;

private:
    QDBusConnection bus_;
    Fallback fallback_;
};

} // namespace rimo
