#include "core/AppPaths.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(AppPaths, FilesLieBesideAWritableExecutable) {
    const auto folder = std::filesystem::temp_directory_path();
    const AppPaths paths = AppPaths::ForExecutable(folder / "rimotime", "/x/config", "/x/home");
    EXPECT_EQ(paths.DataDir, folder);
    EXPECT_EQ(paths.SettingsFile(), folder / "rimotime.ini");
    EXPECT_EQ(paths.ScheduleFile(), folder / "rimotime.dat");
    EXPECT_EQ(paths.SyncLogFile(), folder / "rimotime.log");
    EXPECT_EQ(paths.LauncherFile(2), folder / "Launcher2.dat");
    EXPECT_EQ(paths.CompanionProgram(), folder / "shutdown");
    EXPECT_EQ(paths.HelpFile(), folder / "help.html");
}

TEST(AppPaths, TheBaseNameFollowsTheExecutable) {
    const auto folder = std::filesystem::temp_directory_path();
    const AppPaths paths = AppPaths::ForExecutable(folder / "mytimer", "", "/home/u");
    EXPECT_EQ(paths.ScheduleFile(), folder / "mytimer.dat");
}

TEST(AppPaths, AnUnwritableFolderSendsTheFilesToTheConfigFolder) {
    // /proc is not writable, not even by root.
    const AppPaths paths = AppPaths::ForExecutable("/proc/rimotime", "/x/config", "/home/u");
    EXPECT_EQ(paths.ExecutableDir, "/proc");
    EXPECT_EQ(paths.DataDir, "/x/config/RimoTimeInformation");
    const AppPaths noXdg = AppPaths::ForExecutable("/proc/rimotime", "", "/home/u");
    EXPECT_EQ(noXdg.DataDir, "/home/u/.config/RimoTimeInformation");
    const AppPaths relativeXdg = AppPaths::ForExecutable("/proc/rimotime", "cfg", "/home/u");
    EXPECT_EQ(relativeXdg.DataDir, "/home/u/.config/RimoTimeInformation");
    EXPECT_EQ(noXdg.CompanionProgram(), "/proc/shutdown");
}

} // namespace
} // namespace rimo
