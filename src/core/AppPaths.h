#pragma once

#include <filesystem>
#include <string>

namespace rimo {

// Where the program's files lie. Made once at start and handed to everything
// that reads or writes a file (tests make one on a temporary folder).
struct AppPaths {
    std::filesystem::path ExecutableDir; // the executable, its companion and help page
    std::filesystem::path DataDir;       // settings, schedule, log and launcher files
    std::string BaseName = "rimotime";   // the executable's name without extension

    std::filesystem::path SettingsFile() const { return DataDir / (BaseName + ".ini"); }
    std::filesystem::path ScheduleFile() const { return DataDir / (BaseName + ".dat"); }
    std::filesystem::path SyncLogFile() const { return DataDir / (BaseName + ".log"); }
    std::filesystem::path DesktopSettingsFile() const {
        return DataDir / (BaseName + "-desktop.ini");
    }
    // Launcher page files "Launcher0.dat" to "Launcher2.dat".
    std::filesystem::path LauncherFile(int page) const {
        return DataDir / ("Launcher" + std::to_string(page) + ".dat");
    }
    std::filesystem::path HelpFile() const { return ExecutableDir / "help.html"; }
    std::filesystem::path CompanionProgram() const { return ExecutableDir / "shutdown"; }

    // Files beside the executable; when that folder is not writable (an
    // installed copy), in $XDG_CONFIG_HOME/RimoTimeInformation (default
    // ~/.config/RimoTimeInformation). `xdgConfigHome` and `home` are the
    // values of those environment variables (may be empty).
    static AppPaths ForExecutable(const std::filesystem::path& executable,
                                  const std::string& xdgConfigHome, const std::string& home);
    // Files in one folder (tests).
    static AppPaths InFolder(const std::filesystem::path& folder);
};

} // namespace rimo
