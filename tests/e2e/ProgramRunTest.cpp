// Start, single instance and end of the real executable.

#include "e2e/ProgramTest.h"
#include "schedule/ScheduleFile.h"

#include <chrono>
#include <thread>

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
    EXPECT_TRUE(std::filesystem::exists(folder_ / "rimotime.dat"));
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
    EXPECT_TRUE(std::filesystem::exists(folder_ / "rimotime.dat"));
}

} // namespace
} // namespace rimo
