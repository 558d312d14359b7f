#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace rimo {

// The wallpaper through xdg-desktop-portal's Wallpaper interface, where the
// session's portal backend offers it.
class PortalWallpaper final : public QObject {
    Q_OBJECT
public:
    // ok, or why not (empty when the portal offers no wallpaper at all).
    using Done = std::function<void(bool ok, const QString& problem)>;

    explicit PortalWallpaper(QDBusConnection bus, QObject* parent = nullptr);

    // `uri`: a file URI. `done` is called once, when the portal has answered.
    void Set(const QString& uri, Done done);

private:
    QDBusConnection bus_;
    int requests_ = 0;
};

} // namespace rimo
