#include "app/TrayHostWatch.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

namespace rimo {

namespace {

const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

QString WatcherService() {
    return QString::fromLatin1(TrayHostWatch::kWatcherService);
}

bool OnX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

} // namespace

TrayHostWatch::TrayHostWatch(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)),
      watcher_(new QDBusServiceWatcher(WatcherService(), bus_,
                                       QDBusServiceWatcher::WatchForOwnerChange, this)) {
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &TrayHostWatch::WatcherOwnerChanged);
    if (bus_.isConnected()) {
        bus_.connect(WatcherService(), kWatcherPath, WatcherService(),
                     QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(HostRegistered()));
        bus_.connect(WatcherService(), kWatcherPath, WatcherService(),
                     QStringLiteral("StatusNotifierHostUnregistered"), this,
                     SLOT(HostUnregistered()));
        // Once, at start: who holds the name and whether a host is registered.
        const QDBusReply<QString> owner = bus_.interface()->serviceOwner(WatcherService());
        if (owner.isValid()) {
            watcherOwner_ = owner.value();
            const QDBusMessage reply = bus_.call(
                QDBusMessage::createMethodCall(watcherOwner_, kWatcherPath,
                                               QStringLiteral("org.freedesktop.DBus.Properties"),
                                               QStringLiteral("Get"))
                << WatcherService() << QStringLiteral("IsStatusNotifierHostRegistered"));
            hostRegistered_ =
                reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toBool();
        }
    }
    if (OnX11()) {
        // Qt's xcb platform follows the tray selection and says when it changes.
        connect(QGuiApplication::platformNativeInterface(),
                SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(XEmbedTrayChanged(QScreen*)));
    }
}

bool TrayHostWatch::XEmbedTray() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return OnX11() && screen &&
           QGuiApplication::platformNativeInterface()->nativeResourceForScreen(
               QByteArrayLiteral("traywindow"), screen) != nullptr;
}

void TrayHostWatch::WatcherOwnerChanged(const QString&, const QString&, const QString& newOwner) {
    watcherOwner_ = newOwner;
    hostRegistered_ = false;
    if (!newOwner.isEmpty()) {
        AskHostRegistered();
    }
    Q_EMIT Changed();
}

void TrayHostWatch::AskHostRegistered() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherOwner_, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << WatcherService() << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(get), this);
    const QString asked = watcherOwner_;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, asked] {
        pending->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *pending;
        if (asked != watcherOwner_ || reply.isError()) {
            return;
        }
        const bool registered = reply.value().variant().toBool();
        if (registered != hostRegistered_) {
            hostRegistered_ = registered;
            Q_EMIT Changed();
        }
    });
}

void TrayHostWatch::HostRegistered() {
    if (!watcherOwner_.isEmpty() && !hostRegistered_) {
        hostRegistered_ = true;
        Q_EMIT Changed();
    }
}

void TrayHostWatch::HostUnregistered() {
    if (!watcherOwner_.isEmpty()) {
        AskHostRegistered();
    }
}

void TrayHostWatch::XEmbedTrayChanged(QScreen*) {
    Q_EMIT Changed();
}

} // namespace rimo
