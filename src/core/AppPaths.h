#pragma once

#include "core/Message.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rimo {

// Where the program's files lie. Made once at start and handed to everything
// that reads or writes a file (tests make one on a temporary folder).
struct AppPaths {
    std::filesystem::path ExecutableDir; // the executable, its companion and help page
    std::filesystem::path DataDir;       // settings, schedule, log and launcher files
    std::string BaseName = "rimotime";   // the executable's file name, whole
    // Files of the program lie beside it, but that folder cannot be written
    // or is not this user's own: they are left alone and DataDir is the
    // configuration folder. The reason is for the user.
    bool FilesLeftBeside = false;
    Message FilesLeftBesideReason;
    // Why there is no data folder at all (no home folder): the program must
    // not fall back to a folder others could make first. Empty normally.
    Message DataDirProblem;

    std::filesystem::path SettingsFile() const { return DataDir / (BaseName + ".ini"); }
    std::filesystem::path ScheduleFile() const { return DataDir / (BaseName + ".dat"); }
    std::filesystem::path SyncLogFile() const { return DataDir / (BaseName + ".log"); }
    std::filesystem::path DesktopSettingsFile() const {
        return DataDir / (BaseName + "-desktop.ini");
    }
    // The run history (an SQLite database).
    std::filesystem::path HistoryFile() const { return DataDir / (BaseName + "-history.sqlite"); }
    // Launcher page files "Launcher0.dat" to "Launcher2.dat".
    std::filesystem::path LauncherFile(int page) const {
        return DataDir / ("Launcher" + std::to_string(page) + ".dat");
    }
    std::filesystem::path HelpFile() const { return ExecutableDir / "help.html"; }
    // The help page of an installed copy (<prefix>/lib/rimotime/ holds the
    // executable, <prefix>/share/doc/rimotime/ the page); empty elsewhere.
    std::filesystem::path InstalledHelpFile() const;
    std::filesystem::path CompanionProgram() const { return ExecutableDir / "shutdown"; }
    // A portable copy: the files lie beside the executable.
    bool FilesBesideProgram() const { return DataDir == ExecutableDir; }

    // Files beside the executable when that folder already holds the settings
    // or the schedule (a portable copy, or files of the Windows program), can
    // be written and is this user's own; otherwise in
    // $XDG_CONFIG_HOME/RimoTimeInformation (default ~/.config/RimoTimeInformation),
    // so that neither a build folder nor /usr ever holds a user's data.
    // `xdgConfigHome` is that environment variable (may be empty), `home` the
    // user's home folder (empty when there is none).
    static AppPaths ForExecutable(const std::filesystem::path& executable,
                                  const std::string& xdgConfigHome, const std::string& home);
    // The same for the running program: its real path (links resolved, so an
    // installed copy started through <prefix>/bin finds its companion) and
    // its environment. `argv0` is the fallback where /proc is missing.
    static AppPaths ForThisProcess(const char* argv0);
    // Files in one folder (tests).
    static AppPaths InFolder(const std::filesystem::path& folder);

    // The home folder: $HOME when it is an absolute path, else this user's
    // entry in the password database; empty when neither has one.
    static std::string HomeFolder(const std::string& environmentHome);

    // Readies the data folder at start: makes it (and missing parents) with
    // mode 0700, checks that it is this user's own and writable by no one else,
    // and keeps the configuration folder 0700 (a portable copy's folder is the
    // user's to set). Refused means the program must not use it.
    struct DataDirState {
        enum class Kind { Ready, NotCreated, Refused } State = Kind::Ready;
        rimo::Message Message; // for the user, when not Ready
    };
    DataDirState PrepareDataDir() const;

    // The settings file, to be read before the data folder is readied (the
    // language is chosen first): none without a data folder, or in one that
    // someone else could have put the file in.
    std::optional<std::filesystem::path> SettingsFileToPeek() const;
};

} // namespace rimo
