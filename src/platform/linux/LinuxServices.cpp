#include "platform/linux/LinuxServices.h"

#include "platform/linux/DesktopProgramStarter.h"
#include "platform/linux/DesktopSound.h"
#include "platform/linux/DesktopWallpaper.h"
#include "platform/linux/XcbScreenSaver.h"

namespace rimo {

LinuxServices::LinuxServices(QObject* parent)
    : QObject(parent), sound_(new DesktopSound(this)), programs_(new DesktopProgramStarter(this)),
      wallpaper_(new DesktopWallpaper(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), this)),
      screenSaver_(new XcbScreenSaver({}, {}, this)) {}

PlatformServices LinuxServices::Services() const {
    return {sound_, programs_, wallpaper_, screenSaver_};
}

} // namespace rimo
