#include "platform/linux/TimedatedClockService.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace rimo {

namespace {

// Errors that mean "timedated is not there", as opposed to a refusal.
bool ServiceMissing(const QDBusError& error) {
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
        return true;
    default:
        return error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
               error.name() == QLatin1String("org.freedesktop.systemd1.NoSuchUnit");
    }
}

} // namespace

TimedatedClockService::TimedatedClockService(QDBusConnection bus, Fallback fallback)
    : bus_(std::move(bus)), fallback_(std::move(fallback)) {}

Status TimedatedClockService::SetSystemTime(std::int64_t unixMilliseconds) {
    if (!bus_.isConnected()) {
        return fallback_(unixMilliseconds);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
    call << static_cast<qlonglong>(unixMilliseconds * 1000) << false << true;
    call.setInteractiveAuthorizationAllowed(true);

    // The answer may wait for a password prompt: the event loop goes on meanwhile.
    QDBusPendingCallWatcher watcher(bus_.asyncCall(call, kCallTimeoutMs));
    if (!watcher.isFinished()) {
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!watcher.isFinished()) {
        return Status::Error("the program is closing"); // the loop was ended by quitting
    }
    const QDBusMessage reply = watcher.reply();
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return Status::Ok();
    }
    const QDBusError error(reply);
    if (ServiceMissing(error)) {
        return fallback_(unixMilliseconds);
    }
    const QString reason = error.message().isEmpty() ? error.name() : error.message();
    return Status::Error(reason.toStdString());
}

Status TimedatedClockService::SetClockDirectly(std::int64_t unixMilliseconds) {
    timespec time{};
    time.tv_sec = static_cast<std::time_t>(unixMilliseconds / 1000);
    time.tv_nsec = static_cast<long>(unixMilliseconds % 1000) * 1'000'000;
    if (::clock_settime(CLOCK_REALTIME, &time) != 0) {
        return Status::Error(std::string("clock_settime: ") + std::strerror(errno));
    }
    return Status::Ok();
}

} // namespace rimo
