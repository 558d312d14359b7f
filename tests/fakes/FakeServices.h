#pragma once

#include "fakes/FakeBootClock.h"
#include "fakes/FakeClockService.h"
#include "fakes/FakeNetworkState.h"
#include "fakes/FakeProgramStarter.h"
#include "fakes/FakeScreenSaverSystem.h"
#include "fakes/FakeSecondSource.h"
#include "fakes/FakeSound.h"
#include "fakes/FakeStartupRegistration.h"
#include "fakes/FakeSystemInformation.h"
#include "fakes/FakeWallpaper.h"
#include "fakes/FixedTimeZone.h"
#include "platform/PlatformServices.h"

namespace rimo {

// Every service of the main window as a recording fake: nothing a test does
// reaches this machine's sound, programs, wallpaper, screen saver, clock or
// login programs.
struct FakeServices {
    FakeSound Sound;
    FakeProgramStarter Programs;
    FakeWallpaper Wallpaper;
    FakeScreenSaverSystem ScreenSaver;
    FakeClockService ClockSetting;
    FakeNetworkState Network;
    FixedTimeZone Zone{9 * 3600};
    FakeStartupRegistration Startup;
    FakeSystemInformation SystemInfo;
    FakeBootClock Elapsed;
    FakeSecondSource Seconds;

    PlatformServices All() {
        return {&Sound, &Programs, &Wallpaper,  &ScreenSaver, &ClockSetting, &Network,
                &Zone,  &Startup,  &SystemInfo, &Elapsed,     &Seconds};
    }
};

} // namespace rimo
