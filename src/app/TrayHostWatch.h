#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusServiceWatcher;
class QScreen;

namespace rimo {

// Whether a tray host is there, as the session says it (never polled): the
// StatusNotifierWatcher's name and its host registration on the session bus,
// followed through the bus's own signals on one connection, and on X11 the
// owner of the XEmbed tray selection, whose changes the X server announces.
class TrayHostWatch : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kWatcherService = "org.kde.StatusNotifierWatcher";

    explicit TrayHostWatch(QDBusConnection bus, QObject* parent = nullptr);

    // A StatusNotifierWatcher with a registered host.
    bool StatusNotifierHost() const { return !watcherOwner_.isEmpty() && hostRegistered_; }
    // An XEmbed tray on this X display (never on Wayland).
    bool XEmbedTray() const;
    bool Available() const { return StatusNotifierHost() || XEmbedTray(); }

Q_SIGNALS:
    // Available() may have changed.
    void Changed();

private Q_SLOTS:
    // Connected by name: the bus's signals and the xcb platform's.
    void HostRegistered();
    void HostUnregistered();
    void XEmbedTrayChanged(QScreen* screen);

private:
    void WatcherOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void AskHostRegistered();

    QDBusConnection bus_;
    QDBusServiceWatcher* watcher_;
    QString watcherOwner_;
    bool hostRegistered_ = false;
};

} // namespace rimo
