#pragma once

namespace rimo {

class BootClock;
class ClockService;
class NetworkState;
class ProgramStarter;
class ScreenSaverSystem;
class SecondSource;
class SoundService;
class StartupRegistration;
class SystemInformation;
class TimeZone;
class WallpaperService;

// The services of the desktop and the system that the main window hands to
// its parts. The real ones come from LinuxServices; tests pass fakes, and a
// service left empty is taken from LinuxServices.
struct PlatformServices {
    SoundService* Sound = nullptr;
    ProgramStarter* Programs = nullptr;
    WallpaperService* Wallpaper = nullptr;
    ScreenSaverSystem* ScreenSaver = nullptr;
    ClockService* ClockSetting = nullptr;
    NetworkState* Network = nullptr;
    TimeZone* Zone = nullptr;
    StartupRegistration* Startup = nullptr;
    SystemInformation* SystemInfo = nullptr;
    BootClock* Elapsed = nullptr; // the countdown's clock
    SecondSource* Seconds = nullptr; // the tick's

    bool Complete() const {
        return Sound && Programs && Wallpaper && ScreenSaver && ClockSetting && Network && Zone &&
               Startup && SystemInfo && Elapsed && Seconds;
    }
    // Every empty service taken from `others`.
    PlatformServices FilledFrom(const PlatformServices& others) const {
        PlatformServices all = *this;
        all.Sound = Sound ? Sound : others.Sound;
        all.Programs = Programs ? Programs : others.Programs;
        all.Wallpaper = Wallpaper ? Wallpaper : others.Wallpaper;
        all.ScreenSaver = ScreenSaver ? ScreenSaver : others.ScreenSaver;
        all.ClockSetting = ClockSetting ? ClockSetting : others.ClockSetting;
        all.Network = Network ? Network : others.Network;
        all.Zone = Zone ? Zone : others.Zone;
        all.Startup = Startup ? Startup : others.Startup;
        all.SystemInfo = SystemInfo ? SystemInfo : others.SystemInfo;
        all.Elapsed = Elapsed ? Elapsed : others.Elapsed;
        all.Seconds = Seconds ? Seconds : others.Seconds;
        return all;
    }
};

} // namespace rimo
