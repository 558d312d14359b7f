#pragma once

#include "platform/WallpaperService.h"

#include <QObject>
#include <QStringList>

namespace rimo {

// The wallpaper through the desktop's own settings, chosen by
// XDG_CURRENT_DESKTOP: GNOME (also Unity, ubuntu) and Cinnamon by gsettings
// URIs, MATE by its file name key, KDE by plasma-apply-wallpaperimage, XFCE
// by xfconf-query on every "last-image" property; other X11 desktops by
// xwallpaper or feh. The tools are started without waiting for them.
class DesktopWallpaper final : public QObject, public WallpaperService {
    Q_OBJECT
public:
    enum class Desktop { Gnome, Cinnamon, Mate, Kde, Xfce, Other };

    explicit DesktopWallpaper(const QString& currentDesktop, QObject* parent = nullptr);

    void SetWallpaper(const std::string& path) override;

    static Desktop DesktopOf(const QString& currentDesktop);

private:
    void Run(const QString& tool, const QStringList& arguments);
    void SetXfce(const QString& path);
    void Report(const QString& text);

    Desktop desktop_;
    bool reported_ = false;
};

} // namespace rimo
