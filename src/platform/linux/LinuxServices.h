#pragma once

#include "platform/PlatformServices.h"

#include <QObject>

namespace rimo {

class DesktopProgramStarter;
class DesktopSound;
class DesktopWallpaper;
class XcbScreenSaver;

// The real desktop services of a Linux session, owned together.
class LinuxServices final : public QObject {
    Q_OBJECT
public:
    explicit LinuxServices(QObject* parent = nullptr);
    PlatformServices Services() const;

private:
    DesktopSound* sound_;
    DesktopProgramStarter* programs_;
    DesktopWallpaper* wallpaper_;
    XcbScreenSaver* screenSaver_;
};

} // namespace rimo
