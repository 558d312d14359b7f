#include "platform/linux/TimedatedClockService.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace rimo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.timedate1");
const QString kPath = QStringLiteral("/org/freedesktop/timedate1");

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

ClockSetResult Refused(std::string reason) {
    return {ClockSetOutcome::Refused, std::move(reason)};
}

} // namespace

TimedatedClockService::TimedatedClockService(QDBusConnection bus, Fallback fallback)
    : bus_(std::move(bus)), fallback_(std::move(fallback)) {}

QDBusMessage TimedatedClockService::Call(const QDBusMessage& call, int timeoutMs) {
    // The answer may wait for a password prompt: the event loop goes on meanwhile.
    QDBusPendingCallWatcher watcher(bus_.asyncCall(call, timeoutMs));
    if (!watcher.isFinished()) {
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!watcher.isFinished()) {
        return {}; // the loop was ended by quitting
    }
    return watcher.reply();
}

AutomaticSync TimedatedClockService::AutomaticSyncState() {
    if (!bus_.isConnected()) {
        return {};
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    call << kService;
    const QDBusMessage reply = Call(call, kQueryTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
    if (!properties.contains(QStringLiteral("NTP"))) {
        return {};
    }
    AutomaticSync state;
    state.Known = true;
    state.Enabled = properties.value(QStringLiteral("NTP")).toBool();
    state.Synchronized = properties.value(QStringLiteral("NTPSynchronized")).toBool();
    state.Available = properties.value(QStringLiteral("CanNTP")).toBool();
    return state;
}

ClockSetResult TimedatedClockService::ShiftSystemTime(std::int64_t offsetMicroseconds) {
    if (!bus_.isConnected()) {
        return fallback_(offsetMicroseconds);
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("SetTime"));
    call << static_cast<qlonglong>(offsetMicroseconds) << true << true;
    call.setInteractiveAuthorizationAllowed(true);
    const QDBusMessage reply = Call(call, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::InvalidMessage) {
        return Refused("the program is closing");
    }
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return {};
    }
    const QDBusError error(reply);
    if (ServiceMissing(error)) {
        return fallback_(offsetMicroseconds);
    }
    const QString reason = error.message().isEmpty() ? error.name() : error.message();
    if (error.name() == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled")) {
        return {ClockSetOutcome::KeptBySystem, reason.toStdString()};
    }
    return Refused(reason.toStdString());
}

ClockSetResult TimedatedClockService::ShiftClockDirectly(std::int64_t offsetMicroseconds) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t targetNs =
        std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec + offsetMicroseconds * 1000;
    timespec time{};
    time.tv_sec = static_cast<std::time_t>(targetNs / 1'000'000'000);
    time.tv_nsec = static_cast<long>(targetNs % 1'000'000'000);
    if (::clock_settime(CLOCK_REALTIME, &time) != 0) {
        return Refused(std::string("clock_settime: ") + std::strerror(errno));
    }
    return {};
}

} // namespace rimo
