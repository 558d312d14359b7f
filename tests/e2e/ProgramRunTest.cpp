// Start, single instance and end of the real executable.

#include "e2e/ProgramTest.h"
#include "schedule/ScheduleFile.h"

#include <chrono>
#include <thread>
#include <unistd.h>

#include <unistd.h>

namespace rimo {
namespace {

using namespace std::chrono_literals;

using ProgramRun = ProgramTest;

TEST_F(ProgramRun, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    auto first = Start();
    ASSERT_TRUE(WaitForLock());
    auto second = Start();
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    Terminate(*first);
}

TEST_F(ProgramRun, SigtermWritesTheCaughtUpSchedule) {
    ScheduleTable table;
    // In date order already, so that the sort at start moves nothing.
    table.ReplaceScheduleRows(
        {{"once", "", "2001/01/01/月", "07:00:00", "警告音", "", "する", "×"},
         {"毎日", "毎日", "2001/01/01/月", "07:00:00", "警告音", "", "しない", "○"}});
    const auto scheduleFile = folder_ / "rimotime.dat";
    ASSERT_TRUE(SaveSchedule(scheduleFile, table).ok());
    const std::string before = TempFolder::Read(scheduleFile);

    auto program = Start();
    ASSERT_TRUE(WaitForLock());
    std::this_thread::sleep_for(300ms);
    Terminate(*program);

    ScheduleTable after;
    EXPECT_TRUE(LoadSchedule(scheduleFile, after).Problems.empty());
    ASSERT_EQ(after.RowCount(), 3);
    // The daily row has moved to today or tomorrow; nothing else changed.
    EXPECT_EQ(after.Cell(ColDate, 1), "2001/01/01/月");
    EXPECT_NE(after.Cell(ColDate, 2), "2001/01/01/月");
    after.SetCell(ColDate, 2, "2001/01/01/月");
    EXPECT_EQ(WriteScheduleText(after), before);
}

TEST_F(ProgramRun, TheLockOfAKilledProgramIsTakenOver) {
    auto first = Start();
    ASSERT_TRUE(WaitForLock());
    Signal(*first, SIGKILL);
    ASSERT_TRUE(first->waitForFinished(5000));
    ASSERT_TRUE(std::filesystem::exists(LockFile()));

    auto second = Start();
    EXPECT_FALSE(second->waitForFinished(1500)); // still running: it took the lock
    Terminate(*second);
    // No files beside the program: they are made in the configuration folder.
    EXPECT_TRUE(std::filesystem::exists(ConfigFolder() / "rimotime.dat"));
    EXPECT_TRUE(std::filesystem::exists(ConfigFolder() / "rimotime.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "rimotime.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "rimotime.ini"));
}

TEST_F(ProgramRun, FilesBesideAFolderTheUserCannotWriteAreLeftAlone) {
    const std::string schedule = "8\r\n1\r\ntitle\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    TempFolder::Write(folder_ / "rimotime.dat", schedule);
    // Root writes everywhere: the program runs as "nobody" then.
    if (::geteuid() == 0) {
        for (const TempFolder* own : {&home_, &runtime_}) {
            ASSERT_EQ(::chown(own->Path().c_str(), 65534, 65534), 0);
        }
        privileges_ << QStringLiteral("--reuid=65534") << QStringLiteral("--regid=65534")
                    << QStringLiteral("--clear-groups");
    }
    std::filesystem::permissions(folder_.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);

    auto program = Start(QProcess::SeparateChannels);
    ASSERT_TRUE(WaitForLock());
    Terminate(*program);
    std::filesystem::permissions(folder_.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    EXPECT_EQ(TempFolder::Read(folder_ / "rimotime.dat"), schedule);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "rimotime.ini"));
    EXPECT_TRUE(std::filesystem::exists(ConfigFolder() / "rimotime.dat"));
    EXPECT_TRUE(std::filesystem::exists(ConfigFolder() / "rimotime.ini"));
    const std::string errors = program->readAllStandardError().toStdString();
    EXPECT_NE(errors.find(folder_.Path().string() + " に書き込めません"), std::string::npos)
        << errors;
}

using CommandLine = ProgramTest;

TEST_F(CommandLine, HelpAndVersionAnswerWithoutDisplayOrLock) {
    const auto run = [this](const QString& argument,
                            const QString& locale = QStringLiteral("en_US.UTF-8")) {
        QProcessEnvironment environment = Environment();
        // Any use of the display would fail: there is none to connect to.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("LANG"), locale);
        return RunToEnd(Text(Executable()), {argument}, environment);
    };
    const Finished version = run(QStringLiteral("--version"));
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Output, "RimoTimeInformation " RIMO_PROJECT_VERSION "\n");

    const Finished help = run(QStringLiteral("--help"));
    EXPECT_EQ(help.ExitCode, 0) << help.Errors;
    EXPECT_NE(help.Output.find("Usage: rimotime"), std::string::npos);
    EXPECT_NE(help.Output.find(ConfigFolder().string() + " (made at the first start)"),
              std::string::npos)
        << help.Output;

    const Finished wrong = run(QStringLiteral("--frobnicate"));
    EXPECT_EQ(wrong.ExitCode, 2);
    EXPECT_EQ(wrong.Output, "");
    EXPECT_NE(wrong.Errors.find("'--frobnicate'"), std::string::npos) << wrong.Errors;
    EXPECT_NE(wrong.Errors.find("Usage: rimotime"), std::string::npos);
    // Under a Japanese desktop the answers are Japanese.
    const Finished japanese = run(QStringLiteral("--help"), QStringLiteral("ja_JP.UTF-8"));
    EXPECT_NE(japanese.Output.find("使い方: rimotime"), std::string::npos) << japanese.Output;
    EXPECT_NE(japanese.Output.find(ConfigFolder().string() + " (最初の起動で作ります)"),
              std::string::npos)
        << japanese.Output;
    // A form Qt does not read is a usage error too, not an abort in Qt.
    const Finished equals = run(QStringLiteral("-platform=offscreen"));
    EXPECT_EQ(equals.ExitCode, 2) << equals.Errors;
    EXPECT_NE(equals.Errors.find("-platform offscreen"), std::string::npos) << equals.Errors;

    // Nothing was made: neither the lock nor the folder of the files.
    EXPECT_FALSE(std::filesystem::exists(LockFile()));
    EXPECT_FALSE(std::filesystem::exists(ConfigFolder()));
}

TEST_F(ProgramRun, TheStoredStartUpOptionRegistersTheProgramForLogin) {
    TempFolder::Write(folder_ / "rimotime.ini", "[Setting]\r\nStartUp=1\r\n");
    const std::filesystem::path entry = home_ / ".config/autostart/RimoTimeInformation.desktop";
    auto program = Start();
    ASSERT_TRUE(WaitForLock());
    Terminate(*program);

    const std::string text = TempFolder::Read(entry);
    EXPECT_NE(text.find("\nExec=" + Executable().string() + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nPath=" + folder_.Path().string() + "\n"), std::string::npos) << text;
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {Text(entry)});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
    EXPECT_NE(TempFolder::Read(folder_ / "rimotime.ini").find("StartUp=1\r\n"), std::string::npos);
}

// $XDG_CONFIG_HOME set to a relative folder, which the XDG rules ignore.
class RelativeConfigHome : public ProgramTest {
protected:
    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = ProgramTest::Environment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("cfg"));
        return environment;
    }
};

TEST_F(RelativeConfigHome, TheStartUpEntryGoesUnderHomeNotTheCurrentFolder) {
    TempFolder::Write(folder_ / "rimotime.ini", "[Setting]\r\nStartUp=1\r\n");
    auto program = Start();
    ASSERT_TRUE(WaitForLock());
    Terminate(*program);
    EXPECT_TRUE(std::filesystem::exists(home_ / ".config/autostart/RimoTimeInformation.desktop"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "cfg"));
}

// A copy whose name has a dot in it: the whole name is the program's.
class VersionedCopy : public ProgramTest {
protected:
    VersionedCopy() { std::filesystem::copy_file(RIMO_EXECUTABLE, Executable()); }
    std::filesystem::path Executable() const override { return folder_ / "rimotime-1.0"; }
};

TEST_F(VersionedCopy, ItsStartUpEntryAndFilesCarryItsWholeName) {
    TempFolder::Write(folder_ / "rimotime-1.0.ini", "[Setting]\r\nStartUp=1\r\n");
    auto program = Start();
    ASSERT_TRUE(WaitForLock());
    Terminate(*program);

    const std::string text =
        TempFolder::Read(home_ / ".config/autostart/RimoTimeInformation.desktop");
    EXPECT_NE(text.find("\nExec=" + Executable().string() + "\n"), std::string::npos) << text;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "rimotime-1.0.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "rimotime-1.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "rimotime-1.dat"));
}

// No runtime folder, and in the temporary folder a file where this user's
// own folder for the lock would be: no lock can be made.
class ProgramWithoutLock : public ProgramTest {
protected:
    ProgramWithoutLock() {
        TempFolder::Write(temp_ / ("RimoTimeInformation-" + std::to_string(::getuid())), "");
    }
    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = ProgramTest::Environment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("TMPDIR"), Text(temp_.Path()));
        return environment;
    }
    TempFolder temp_;
};

TEST_F(ProgramWithoutLock, ALockThatCannotBeMadeIsReportedAndTheProgramRuns) {
    auto program = Start(QProcess::SeparateChannels);
    program->setReadChannel(QProcess::StandardError);
    QString errors;
    while (!errors.contains(QStringLiteral("ロックファイル")) && program->waitForReadyRead(5000)) {
        errors += QString::fromLocal8Bit(program->readAllStandardError());
    }
    EXPECT_TRUE(errors.contains(QStringLiteral("RimoTimeInformation-"))) << errors.toStdString();
    EXPECT_EQ(program->state(), QProcess::Running);
    std::this_thread::sleep_for(300ms);
    Terminate(*program);
    EXPECT_TRUE(std::filesystem::exists(ConfigFolder() / "rimotime.dat"));
}

} // namespace
} // namespace rimo
