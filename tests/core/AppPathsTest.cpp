#include "core/AppPaths.h"

#include "AsOtherUser.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(AppPaths, WithoutAHomeThereIsNoDataFolderRatherThanASharedOne) {
    TempFolder folder;
    const AppPaths homeless = AppPaths::ForExecutable(folder / "rimotime", "", "");
    EXPECT_EQ(homeless.DataDir, "");
    EXPECT_THAT(homeless.DataDirProblem, ::testing::HasSubstr("ホームフォルダー"));
    const AppPaths::DataDirState state = homeless.PrepareDataDir();
    EXPECT_EQ(state.State, AppPaths::DataDirState::Kind::Refused);
    EXPECT_EQ(state.Message, homeless.DataDirProblem);
    EXPECT_FALSE(homeless.SettingsFileToPeek()); // not "rimotime.ini" of the working folder
    // $XDG_CONFIG_HOME alone is enough.
    EXPECT_EQ(AppPaths::ForExecutable(folder / "rimotime", "/x/config", "").DataDir,
              "/x/config/RimoTimeInformation");

    // An empty or relative $HOME gives way to the password database.
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    ASSERT_EQ(::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found), 0);
    const std::string fromDatabase = found ? entry.pw_dir : "";
    EXPECT_EQ(AppPaths::HomeFolder(""), fromDatabase);
    EXPECT_EQ(AppPaths::HomeFolder("relative/home"), fromDatabase);
    EXPECT_EQ(AppPaths::HomeFolder("/home/u"), "/home/u");
}

TEST(AppPaths, FilesBesideAFolderOthersCanWriteAreNotUsed) {
    TempFolder folder;
    TempFolder::Write(folder / "rimotime.dat", "planted");
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    const AppPaths paths = AppPaths::ForExecutable(folder / "rimotime", "/x/config", "/home/u");
    EXPECT_EQ(paths.DataDir, "/x/config/RimoTimeInformation");
    EXPECT_TRUE(paths.FilesLeftBeside);
    EXPECT_THAT(paths.FilesLeftBesideReason, ::testing::HasSubstr(folder.Path().string()));
    EXPECT_THAT(paths.FilesLeftBesideReason, ::testing::HasSubstr("0777"));
    // Nor is a settings file there read for the language before the checks.
    EXPECT_FALSE(AppPaths::InFolder(folder.Path()).SettingsFileToPeek());
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0700), 0);
    EXPECT_EQ(AppPaths::InFolder(folder.Path()).SettingsFileToPeek(),
              AppPaths::InFolder(folder.Path()).SettingsFile());
}

TEST(AppPaths, TheDataFolderIsMadeAndKeptForThisUserAlone) {
    TempFolder home;
    const AppPaths paths = AppPaths::ForExecutable(home / "bin" / "rimotime", "", home.Path());
    const mode_t mask = ::umask(022);
    EXPECT_EQ(paths.PrepareDataDir().State, AppPaths::DataDirState::Kind::Ready);
    ::umask(mask);
    EXPECT_EQ(ModeOf(home / ".config"), 0700U);
    EXPECT_EQ(ModeOf(paths.DataDir), 0700U);
    // A folder an earlier version made 0755 is closed.
    ASSERT_EQ(::chmod(paths.DataDir.c_str(), 0755), 0);
    EXPECT_EQ(paths.PrepareDataDir().State, AppPaths::DataDirState::Kind::Ready);
    EXPECT_EQ(ModeOf(paths.DataDir), 0700U);

    // A portable copy's folder is the user's to set.
    TempFolder portable;
    TempFolder::Write(portable / "rimotime.ini", "");
    ASSERT_EQ(::chmod(portable.Path().c_str(), 0755), 0);
    const AppPaths beside = AppPaths::ForExecutable(portable / "rimotime", "", home.Path());
    ASSERT_TRUE(beside.FilesBesideProgram());
    EXPECT_EQ(beside.PrepareDataDir().State, AppPaths::DataDirState::Kind::Ready);
    EXPECT_EQ(ModeOf(portable.Path()), 0755U);

    // Others can write into it: refused, with the folder named.
    ASSERT_EQ(::chmod(paths.DataDir.c_str(), 0777), 0);
    AppPaths::DataDirState state = paths.PrepareDataDir();
    EXPECT_EQ(state.State, AppPaths::DataDirState::Kind::Refused);
    EXPECT_THAT(state.Message, ::testing::HasSubstr(paths.DataDir.string()));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(paths.DataDir.c_str(), 0700), 0);
        ASSERT_EQ(::chown(paths.DataDir.c_str(), kOtherUser, kOtherUser), 0);
        EXPECT_EQ(paths.PrepareDataDir().State, AppPaths::DataDirState::Kind::Refused);
    }

    // One that cannot be made is said so; the program goes on without it.
    TempFolder::Write(home / "plain", "");
    const AppPaths blocked =
        AppPaths::ForExecutable(home / "rimotime", (home / "plain").string(), home.Path());
    state = blocked.PrepareDataDir();
    EXPECT_EQ(state.State, AppPaths::DataDirState::Kind::NotCreated);
    EXPECT_THAT(state.Message, ::testing::HasSubstr(blocked.DataDir.string()));
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
