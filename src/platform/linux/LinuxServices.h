#pragma once

#include "platform/PlatformServices.h"

#include <QObject>

#include <memory>

namespace rimo {

class DesktopProgramStarter;
class DesktopSound;
class DesktopWallpaper;
class LinuxBootClock;
class LinuxNetworkState;
class LinuxSystemInformation;
class LocalTimeZone;
class TimedatedClockService;
class TimerfdSecondSource;
class SessionScreenSaver;
class XcbScreenSaver;
class XdgAutostart;

// The real services of a Linux desktop session, owned together.
class LinuxServices final : public QObject {
    Q_OBJECT
public:
    explicit LinuxServices(QObject* parent = nullptr);
    ~LinuxServices() override;
    PlatformServices Services() const;

private:
    DesktopSound* sound_;
    DesktopProgramStarter* programs_;
    DesktopWallpaper* wallpaper_;
    XcbScreenSaver* x11ScreenSaver_;
    SessionScreenSaver* screenSaver_;
    std::unique_ptr<TimedatedClockService> clockSetting_;
    std::unique_ptr<LinuxNetworkState> network_;
    std::unique_ptr<LocalTimeZone> zone_;
    std::unique_ptr<XdgAutostart> startup_;
    std::unique_ptr<LinuxSystemInformation> systemInfo_;
    std::unique_ptr<LinuxBootClock> elapsed_;
    TimerfdSecondSource* seconds_;
};

} // namespace rimo
