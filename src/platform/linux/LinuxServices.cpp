#include "platform/linux/LinuxServices.h"

#include "platform/XdgAutostart.h"
#include "platform/linux/DesktopProgramStarter.h"
#include "platform/linux/DesktopSound.h"
#include "platform/linux/DesktopWallpaper.h"
#include "platform/linux/LinuxBootClock.h"
#include "platform/linux/LinuxNetworkState.h"
#include "platform/linux/LinuxSystemInformation.h"
#include "platform/linux/LocalTimeZone.h"
#include "platform/linux/TimedatedClockService.h"
#include "platform/linux/XcbScreenSaver.h"

namespace rimo {

LinuxServices::LinuxServices(QObject* parent)
    : QObject(parent), sound_(new DesktopSound(this)), programs_(new DesktopProgramStarter(this)),
      wallpaper_(new DesktopWallpaper(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), this)),
      screenSaver_(new XcbScreenSaver({}, {}, this)),
      clockSetting_(std::make_unique<TimedatedClockService>()),
      network_(std::make_unique<LinuxNetworkState>()), zone_(std::make_unique<LocalTimeZone>()),
      startup_(std::make_unique<XdgAutostart>(XdgAutostart::FolderFor(
          qgetenv("XDG_CONFIG_HOME").toStdString(), qgetenv("HOME").toStdString()))),
      systemInfo_(std::make_unique<LinuxSystemInformation>()),
      elapsed_(std::make_unique<LinuxBootClock>()) {}

LinuxServices::~LinuxServices() = default;

PlatformServices LinuxServices::Services() const {
    return {sound_,         programs_,   wallpaper_,     screenSaver_,      clockSetting_.get(),
            network_.get(), zone_.get(), startup_.get(), systemInfo_.get(), elapsed_.get()};
}

} // namespace rimo
