#pragma once

#include "platform/SecondSource.h"

#include <QDBusConnection>
#include <QObject>

class QSocketNotifier;

namespace rimo {

// The tick's source on a timerfd of CLOCK_REALTIME armed for an absolute
// second and cancelled when the clock is set: the kernel wakes it at the
// second's boundary (never before), and at once when the clock is set or
// stepped at resume. logind's PrepareForSleep(false) is a second word for
// resume where the kernel's comes late or not at all.
class TimerfdSecondSource final : public QObject, public SecondSource {
    Q_OBJECT
public:
    // `systemBus`: where logind is (tests hand a private bus).
    explicit TimerfdSecondSource(const QDBusConnection& systemBus = QDBusConnection::systemBus(),
                                 QObject* parent = nullptr);
    ~TimerfdSecondSource() override;

    void ArmAt(std::int64_t unixSecond) override;
    void Disarm() override;

    // Whether the timerfd could be made (false on a kernel without it: the
    // program then cannot tick, which the caller reports).
    bool Usable() const { return fd_ >= 0; }

private Q_SLOTS:
    void PrepareForSleep(bool start);

private:
    void Readable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool armed_ = false;
};

} // namespace rimo
