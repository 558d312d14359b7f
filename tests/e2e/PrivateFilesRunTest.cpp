// The real executable and its data folder: private files, folders someone
// else controls, no home, a folder that cannot be made, FIFOs for files.

#include "AsOtherUser.h"
#include "e2e/ProgramTest.h"

#include <sys/stat.h>
#include <unistd.h>

namespace rimo {
namespace {

using PrivateFiles = ProgramTest;

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Standard error until it holds `text` (or 20 seconds of silence).
std::string ErrorsUntil(QProcess& program, const std::string& text) {
    program.setReadChannel(QProcess::StandardError);
    std::string errors;
    while (errors.find(text) == std::string::npos && program.waitForReadyRead(20000)) {
        errors += program.readAllStandardError().toStdString();
    }
    return errors;
}

TEST_F(PrivateFiles, TheFolderAndEveryFileAreThisUsersAlone) {
    auto program = Start();
    ASSERT_TRUE(WaitForLock());
    Terminate(*program);
    EXPECT_EQ(ModeOf(home_ / ".config"), 0700U);
    EXPECT_EQ(ModeOf(ConfigFolder()), 0700U);
    for (const char* name : {"rimotime.dat", "rimotime.ini", "Launcher0.dat"}) {
        EXPECT_EQ(ModeOf(ConfigFolder() / name), 0600U) << name;
    }

    // Left by an earlier version with the usual umask: closed at the next run.
    ASSERT_EQ(::chmod(ConfigFolder().c_str(), 0755), 0);
    ASSERT_EQ(::chmod((ConfigFolder() / "rimotime.ini").c_str(), 0644), 0);
    program = Start();
    ASSERT_TRUE(WaitForLock());
    Terminate(*program);
    EXPECT_EQ(ModeOf(ConfigFolder()), 0700U);
    EXPECT_EQ(ModeOf(ConfigFolder() / "rimotime.ini"), 0600U);
}

TEST_F(PrivateFiles, FifosInPlaceOfTheFilesNeitherHangTheStartNorTheEnd) {
    std::filesystem::create_directories(ConfigFolder());
    for (const char* name : {"rimotime.dat", "rimotime.ini", "rimotime.log", "Launcher0.dat"}) {
        ASSERT_EQ(::mkfifo((ConfigFolder() / name).c_str(), 0600), 0) << name;
    }
    auto program = Start(QProcess::SeparateChannels);
    const std::string errors = ErrorsUntil(*program, "rimotime.dat を読み込めません");
    EXPECT_NE(errors.find("rimotime.dat を読み込めません: 通常のファイルではありません"),
              std::string::npos)
        << errors;
    Terminate(*program);
    // Kept aside as unreadable files are; the new files are regular ones.
    struct stat info {};
    ASSERT_EQ(::lstat((ConfigFolder() / "rimotime.dat.broken").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    ASSERT_EQ(::lstat((ConfigFolder() / "rimotime.dat").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}

// A data folder another user made (or that others can write) could hold a
// schedule planted to start programs as this user: the program refuses it.
TEST_F(PrivateFiles, ADataFolderSomeoneElseControlsIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give a folder to a second user";
    }
    const std::filesystem::path planted = home_ / ".config" / "RimoTimeInformation";
    std::filesystem::create_directories(planted);
    TempFolder::Write(planted / "rimotime.dat", "8\r\n1\r\n");
    ASSERT_EQ(::chown(planted.c_str(), kOtherUser, kOtherUser), 0);
    for (const mode_t mode : {0755, 0777}) {
        ASSERT_EQ(::chmod(planted.c_str(), mode), 0);
        auto program = Start(QProcess::SeparateChannels);
        ASSERT_TRUE(program->waitForFinished(20000)) << std::oct << mode;
        EXPECT_EQ(program->exitCode(), 1);
        const std::string errors = program->readAllStandardError().toStdString();
        EXPECT_NE(errors.find(planted.string()), std::string::npos) << errors;
        EXPECT_FALSE(std::filesystem::exists(planted / "rimotime.ini"));
        EXPECT_EQ(TempFolder::Read(planted / "rimotime.dat"), "8\r\n1\r\n");
    }
    // This user's own folder that anyone can write into is refused too.
    ASSERT_EQ(::chown(planted.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(planted.c_str(), 0777), 0);
    auto program = Start(QProcess::SeparateChannels);
    ASSERT_TRUE(program->waitForFinished(20000));
    EXPECT_EQ(program->exitCode(), 1);
}

// No $HOME and no entry in the password database (a uid without an account):
// no shared folder stands in for the home.
TEST_F(PrivateFiles, WithoutAnyHomeTheProgramRefusesToStart) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run as a uid without an account";
    }
    TempFolder temp;
    for (const TempFolder* own : {&runtime_, &temp}) {
        ASSERT_EQ(::chown(own->Path().c_str(), kOtherUser, kOtherUser), 0);
    }
    privileges_ << QStringLiteral("--reuid=%1").arg(kOtherUser)
                << QStringLiteral("--regid=%1").arg(kOtherUser) << QStringLiteral("--clear-groups");
    QProcessEnvironment environment = Environment();
    environment.remove(QStringLiteral("HOME"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.insert(QStringLiteral("TMPDIR"), Text(temp.Path()));
    const Finished run =
        RunToEnd(QStringLiteral("setpriv"),
                 privileges_ + QStringList{QStringLiteral("--"), Text(Executable())}, environment);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Errors.find("ホームフォルダーがわかりません"), std::string::npos) << run.Errors;
    EXPECT_FALSE(std::filesystem::exists(temp / ".config"));
}

TEST_F(PrivateFiles, ADataFolderThatCannotBeMadeIsSaidAtStart) {
    TempFolder::Write(home_ / ".config", "a file where the folder should be");
    auto program = Start(QProcess::SeparateChannels);
    const std::string errors = ErrorsUntil(*program, "データフォルダーを作れません");
    EXPECT_NE(errors.find("データフォルダーを作れません"), std::string::npos) << errors;
    EXPECT_NE(errors.find(ConfigFolder().string()), std::string::npos) << errors;
    // A log-out still ends it: what can be written is, without a question.
    Terminate(*program);
}

} // namespace
} // namespace rimo
