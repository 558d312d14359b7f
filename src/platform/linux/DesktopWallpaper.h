#pragma once

#include "platform/WallpaperService.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

namespace rimo {

class PortalWallpaper;

// The wallpaper through the desktop's own settings, chosen by
// XDG_CURRENT_DESKTOP: GNOME (also Unity, ubuntu) and Cinnamon by gsettings
// URIs, MATE by its file name key, KDE by plasma-apply-wallpaperimage, XFCE
// by xfconf-query on every "last-image" property, sway by swaymsg; other
// Wayland desktops by xdg-desktop-portal's Wallpaper, other X11 desktops by
// xwallpaper or feh. The tools run without being waited for; what fails is
// reported. Paths reach them absolute, never as options.
class DesktopWallpaper final : public QObject, public WallpaperService {
    Q_OBJECT
public:
    enum class Desktop { Gnome, Cinnamon, Mate, Kde, Xfce, Sway, Other };

    DesktopWallpaper(const QString& currentDesktop, bool x11Session,
                     QDBusConnection bus = QDBusConnection::sessionBus(),
                     QObject* parent = nullptr);

    void SetWallpaper(const std::string& path, Report report) override;

    static Desktop DesktopOf(const QString& currentDesktop);
    // sway's command for a picture; empty when the path holds characters that
    // sway would read as syntax.
    static QString SwayCommand(const QString& path);

private:
    void SetOther(const QString& path, const Report& report);
    void SetXfce(const QString& path, const Report& report);
    void Run(const QString& tool, const QStringList& arguments, const Report& report);

    Desktop desktop_;
    bool x11Session_;
    PortalWallpaper* portal_;
};

} // namespace rimo
