#include "platform/linux/TimerfdSecondSource.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/timerfd.h>
#include <unistd.h>

namespace rimo {

TimerfdSecondSource::TimerfdSecondSource(const QDBusConnection& systemBus, QObject* parent)
    : QObject(parent), fd_(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (fd_ < 0) {
        std::fprintf(stderr, "RimoTimeInformation: no timerfd (%s)\n", std::strerror(errno));
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TimerfdSecondSource::Readable);
    // No logind (no system bus, another init): the timerfd alone sees resume.
    QDBusConnection bus = systemBus;
    bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                this, SLOT(PrepareForSleep(bool)));
}

TimerfdSecondSource::~TimerfdSecondSource() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

void TimerfdSecondSource::ArmAt(std::int64_t unixSecond) {
    if (fd_ < 0) {
        return;
    }
    itimerspec spec{};
    spec.it_value.tv_sec = static_cast<time_t>(unixSecond);
    // A zero value would disarm.
    if (unixSecond <= 0) {
        spec.it_value.tv_sec = 0;
        spec.it_value.tv_nsec = 1;
    }
    // A kernel before 3.0 lacks the cancel flag: the tick then sees clock
    // changes at the next second it wakes for.
    armed_ =
        timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr) == 0 ||
        timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr) == 0;
}

void TimerfdSecondSource::Disarm() {
    if (fd_ < 0) {
        return;
    }
    armed_ = false;
    const itimerspec none{};
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &none, nullptr);
}

void TimerfdSecondSource::Readable() {
    std::uint64_t expirations = 0;
    const ssize_t got = read(fd_, &expirations, sizeof expirations);
    if (got == static_cast<ssize_t>(sizeof expirations)) {
        Wake(SecondWake::Second);
    } else if (got < 0 && errno == ECANCELED) {
        // The clock was set; the handler arms anew for the clock as it now stands.
        Wake(SecondWake::ClockChanged);
    }
    // EAGAIN: a disarm or re-arm after the expiry was signalled; nothing is due.
}

void TimerfdSecondSource::PrepareForSleep(bool start) {
    if (!start && armed_) {
        Wake(SecondWake::Resumed);
    }
}

} // namespace rimo
