#include "core/AppPaths.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(AppPaths, FilesLieBesideAFolderThatAlreadyHoldsThem) {
    for (const char* existing : {"rimotime.ini", "rimotime.dat"}) {
        TempFolder folder;
        TempFolder::Write(folder / existing, "");
        const AppPaths paths = AppPaths::ForExecutable(folder / "rimotime", "/x/config", "/x/home");
        EXPECT_EQ(paths.DataDir, folder.Path()) << existing;
        EXPECT_TRUE(paths.FilesBesideProgram());
        EXPECT_FALSE(paths.FilesLeftBeside);
        EXPECT_EQ(paths.SettingsFile(), folder / "rimotime.ini");
        EXPECT_EQ(paths.ScheduleFile(), folder / "rimotime.dat");
        EXPECT_EQ(paths.SyncLogFile(), folder / "rimotime.log");
        EXPECT_EQ(paths.LauncherFile(2), folder / "Launcher2.dat");
        EXPECT_EQ(paths.CompanionProgram(), folder / "shutdown");
        EXPECT_EQ(paths.HelpFile(), folder / "help.html");
        // The probe for writing leaves nothing behind.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    }
}

TEST(AppPaths, AFolderWithoutTheFilesSendsThemToTheConfigFolder) {
    TempFolder folder;
    // Other files, even the launcher's, do not make a portable copy.
    TempFolder::Write(folder / "Launcher0.dat", "");
    TempFolder::Write(folder / "rimotime.log", "");
    const AppPaths paths = AppPaths::ForExecutable(folder / "rimotime", "/x/config", "/home/u");
    EXPECT_EQ(paths.DataDir, "/x/config/RimoTimeInformation");
    EXPECT_EQ(paths.ScheduleFile(), "/x/config/RimoTimeInformation/rimotime.dat");
    EXPECT_FALSE(paths.FilesBesideProgram());
    EXPECT_FALSE(paths.FilesLeftBeside);
    // The program's own things stay beside it.
    EXPECT_EQ(paths.CompanionProgram(), folder / "shutdown");

    const AppPaths noXdg = AppPaths::ForExecutable(folder / "rimotime", "", "/home/u");
    EXPECT_EQ(noXdg.DataDir, "/home/u/.config/RimoTimeInformation");
    // The XDG rules ignore a relative $XDG_CONFIG_HOME.
    const AppPaths relativeXdg = AppPaths::ForExecutable(folder / "rimotime", "cfg", "/home/u");
    EXPECT_EQ(relativeXdg.DataDir, "/home/u/.config/RimoTimeInformation");
}

TEST(AppPaths, TheBaseNameFollowsTheExecutable) {
    TempFolder folder;
    TempFolder::Write(folder / "mytimer.dat", "");
    const AppPaths mine = AppPaths::ForExecutable(folder / "mytimer", "", "/home/u");
    EXPECT_EQ(mine.ScheduleFile(), folder / "mytimer.dat");
    // Another name's files are not this copy's.
    const AppPaths other = AppPaths::ForExecutable(folder / "rimotime", "", "/home/u");
    EXPECT_EQ(other.ScheduleFile(), "/home/u/.config/RimoTimeInformation/rimotime.dat");
    // The whole file name: a dot in it starts no extension.
    const AppPaths versioned = AppPaths::ForExecutable(folder / "rimotime-1.0", "", "/home/u");
    EXPECT_EQ(versioned.BaseName, "rimotime-1.0");
    EXPECT_EQ(versioned.SettingsFile(), "/home/u/.config/RimoTimeInformation/rimotime-1.0.ini");
    EXPECT_EQ(versioned.ExecutableDir / versioned.BaseName, folder / "rimotime-1.0");
}

TEST(AppPaths, AnInstalledCopyFindsItsHelpPageUnderShare) {
    EXPECT_EQ(AppPaths::InFolder("/usr/lib/rimotime").InstalledHelpFile(),
              "/usr/share/doc/rimotime/help.html");
    EXPECT_EQ(AppPaths::InFolder("/opt/x/lib/rimotime").InstalledHelpFile(),
              "/opt/x/share/doc/rimotime/help.html");
    EXPECT_EQ(AppPaths::InFolder("/home/u/build").InstalledHelpFile(), "");
}

} // namespace
} // namespace rimo
