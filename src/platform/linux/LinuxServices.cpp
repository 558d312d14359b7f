#include "platform/linux/LinuxServices.h"

#include "platform/XdgAutostart.h"
#include "platform/linux/DesktopProgramStarter.h"
#include "platform/linux/DesktopSound.h"
#include "platform/linux/DesktopWallpaper.h"
#include "platform/linux/LinuxBootClock.h"
#include "platform/linux/LinuxNetworkState.h"
#include "platform/linux/LinuxSystemInformation.h"
#include "platform/linux/LocalTimeZone.h"
#include "platform/linux/SessionScreenSaver.h"
#include "platform/linux/TimedatedClockService.h"
#include "platform/linux/TimerfdSecondSource.h"
#include "platform/linux/XcbScreenSaver.h"

#include <QDBusConnection>

namespace rimo {

namespace {

QString CurrentDesktop() {
    QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    // sway may leave the variable unset; its socket says it runs.
    if (desktop.isEmpty() && !qEnvironmentVariableIsEmpty("SWAYSOCK")) {
        desktop = QStringLiteral("sway");
    }
    return desktop;
}

} // namespace

LinuxServices::LinuxServices(QObject* parent)
    : QObject(parent), sound_(new DesktopSound(this)), programs_(new DesktopProgramStarter(this)),
      wallpaper_(new DesktopWallpaper(CurrentDesktop(), SessionScreenSaver::X11Session(),
                                      QDBusConnection::sessionBus(), this)),
      x11ScreenSaver_(new XcbScreenSaver({}, {}, this)),
      screenSaver_(new SessionScreenSaver(QDBusConnection::sessionBus(), *x11ScreenSaver_,
                                          SessionScreenSaver::X11Session(), this)),
      clockSetting_(std::make_unique<TimedatedClockService>()),
      network_(std::make_unique<LinuxNetworkState>()), zone_(std::make_unique<LocalTimeZone>()),
      startup_(std::make_unique<XdgAutostart>(XdgAutostart::FolderFor(
          qgetenv("XDG_CONFIG_HOME").toStdString(), qgetenv("HOME").toStdString()))),
      systemInfo_(std::make_unique<LinuxSystemInformation>()),
      elapsed_(std::make_unique<LinuxBootClock>()),
      seconds_(new TimerfdSecondSource(QDBusConnection::systemBus(), this)) {}

LinuxServices::~LinuxServices() = default;

PlatformServices LinuxServices::Services() const {
    return {sound_,         programs_,   wallpaper_,     screenSaver_,      clockSetting_.get(),
            network_.get(), zone_.get(), startup_.get(), systemInfo_.get(), elapsed_.get(),
            seconds_};
}

} // namespace rimo
