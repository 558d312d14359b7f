#include "platform/linux/PortalWallpaper.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <memory>

namespace rimo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

// Receives the portal's Response on the request's object.
class PortalRequest final : public QObject {
    Q_OBJECT
public:
    PortalRequest(PortalWallpaper::Done done, QObject* parent)
        : QObject(parent), done_(std::move(done)) {}
    void Finish(bool ok, const QString& problem) {
        if (done_) {
            PortalWallpaper::Done done = std::move(done_);
            done_ = nullptr;
            done(ok, problem);
        }
        deleteLater();
    }
public Q_SLOTS:
    void Response(uint response, const QVariantMap&) {
        // 0 done, 1 cancelled by the user, 2 failed.
        Finish(response == 0, response == 1 ? QStringLiteral("取り消されました")
                                            : QStringLiteral("ポータルが失敗を返しました"));
    }

private:
    PortalWallpaper::Done done_;
};

} // namespace

PortalWallpaper::PortalWallpaper(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {}

void PortalWallpaper::Set(const QString& uri, Done done) {
    if (!bus_.isConnected()) {
        done(false, {});
        return;
    }
    // The request's object path is known before the call (handle_token), so
    // its Response cannot come before we listen.
    const QString token = QStringLiteral("rimotime%1").arg(++requests_);
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString requestPath =
        kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    auto* request = new PortalRequest(std::move(done), this);
    bus_.connect(kService, requestPath, QStringLiteral("org.freedesktop.portal.Request"),
                 QStringLiteral("Response"), request, SLOT(Response(uint, QVariantMap)));

    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.portal.Wallpaper"),
        QStringLiteral("SetWallpaperURI"));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("show-preview"), false},
                              {QStringLiteral("set-on"), QStringLiteral("background")}};
    call << QString() << uri << options;
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), request);
    connect(pending, &QDBusPendingCallWatcher::finished, request, [pending, request] {
        const QDBusPendingReply<QDBusObjectPath> reply = *pending;
        pending->deleteLater();
        if (reply.isError()) {
            // No portal, or a backend without a wallpaper: nothing was done.
            request->Finish(false, {});
        }
    });
}

} // namespace rimo

#include "PortalWallpaper.moc"
