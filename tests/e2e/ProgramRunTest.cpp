// The real executable, copied into a temporary folder with its files.

#include "TempFolder.h"
#include "core/DateTime.h"
#include "schedule/ScheduleFile.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

namespace rimo {
namespace {

using namespace std::chrono_literals;

class ProgramRun : public ::testing::Test {
protected:
    ProgramRun() {
        std::filesystem::create_directories(runtime_.Path());
        std::filesystem::copy_file(RIMO_EXECUTABLE, Executable());
    }

    std::filesystem::path Executable() const { return folder_ / "rimotime"; }
    std::filesystem::path LockFile() const { return runtime_ / "RimoTimeOneCopyMutex.lock"; }

    std::unique_ptr<QProcess> Start() {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           QString::fromStdString(runtime_.Path().string()));
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QString::fromStdString(Executable().string()), {});
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }

    // The lock exists once the program has caught its termination signals.
    bool WaitForLock() const {
        for (int i = 0; i < 200; ++i) {
            if (std::filesystem::exists(LockFile())) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    // Never kill(0, …): that would signal the whole process group, test runner included.
    static void Signal(const QProcess& process, int signalNumber) {
        const qint64 pid = process.processId();
        ASSERT_GT(pid, 0) << "the program is not running";
        ::kill(static_cast<pid_t>(pid), signalNumber);
    }

    TempFolder folder_;
    TempFolder runtime_;
};

TEST_F(ProgramRun, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    auto first = Start();
    ASSERT_TRUE(WaitForLock());
    auto second = Start();
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    Signal(*first, SIGTERM);
    ASSERT_TRUE(first->waitForFinished(10000));
    EXPECT_EQ(first->exitCode(), 0);
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
    Signal(*program, SIGTERM);
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);

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
    Signal(*second, SIGTERM);
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder_ / "rimotime.dat"));
}

} // namespace
} // namespace rimo
