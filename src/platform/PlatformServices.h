#pragma once

namespace rimo {

class ProgramStarter;
class ScreenSaverSystem;
class SoundService;
class WallpaperService;

// The desktop services the main window hands to its parts. The real ones
// come from LinuxServices; tests pass fakes.
struct PlatformServices {
    SoundService* Sound = nullptr;
    ProgramStarter* Programs = nullptr;
    WallpaperService* Wallpaper = nullptr;
    ScreenSaverSystem* ScreenSaver = nullptr;
};

} // namespace rimo
