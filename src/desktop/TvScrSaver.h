#pragma once

#include "platform/ScreenSaverSystem.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rimo {

// Where screen savers are found: the hack folder of xscreensaver, with its
// configuration folder (one "<hack>.xml" per screen saver; the hack folder
// also holds helpers that are none), and the folders searched for "*.scr".
struct ScreenSaverFolders {
    std::filesystem::path HackFolder;
    std::vector<std::filesystem::path> ScrFolders;
    std::filesystem::path HackConfigFolder{};

    // /usr/libexec/xscreensaver with /usr/share/xscreensaver/config, then
    // the program's folder, ~/.local/share/RimoTimeInformation/screensavers
    // and /usr/share/RimoTimeInformation/screensavers.
    static ScreenSaverFolders Standard(const std::filesystem::path& programFolder,
                                       const std::string& home);
};

// The screen saver control: the user's choice of screen saver (kept in the
// program's own file, section "boot", key "SCRNSAVE.EXE"), whether screen
// saving is enabled and after how long (the system's), the list of screen
// savers, starting and ending one. The values are stored here; reading a
// property refreshes it from the system, writing one changes only the stored
// value until WriteSettings.
class TvScrSaver {
public:
    TvScrSaver(ScreenSaverSystem& system, std::filesystem::path settingsFile,
               ScreenSaverFolders folders);

    bool ScreenSaveActive(); // queried; false when unknown
    void SetScreenSaveActive(bool active) { active_ = active; }
    std::string ScreenSaverName(); // read from the file; kept when it cannot be read
    void SetScreenSaverName(std::string name) { name_ = std::move(name); }
    int ScreenSaveTimeOut(); // queried; 0 when unknown
    void SetScreenSaveTimeOut(int seconds) { timeOut_ = seconds; }

    // The stored values, as last read or set.
    bool StoredActive() const { return active_; }
    const std::string& StoredName() const { return name_; }
    int StoredTimeOut() const { return timeOut_; }

    // Refreshes the name, the time-out and the enabled state, in that order.
    void ReadSettings();
    // Writes the name, the time-out and the enabled state, in that order,
    // each whatever became of the one before. Writing twice equals once.
    void WriteSettings();
    // `report` hears when the session offers no way to start one.
    void StartScreenSaver(ScreenSaverSystem::Report report = {});
    void WakeFromScreenSaver();
    // Appends every screen saver found: the hacks the configuration folder
    // describes, then "*.scr" files of each folder in order. The list is not
    // cleared; nothing is sorted or removed.
    void GetScreenSaverList(std::vector<std::string>& list) const;
    // A file ending in ".scr", or a program in the hack folder.
    bool IsScreenSaverProgram(const std::string& path) const;

private:
    ScreenSaverSystem& system_;
    std::filesystem::path settingsFile_;
    ScreenSaverFolders folders_;
    std::string name_;
    bool active_ = false;
    int timeOut_ = 0;
};

} // namespace rimo
