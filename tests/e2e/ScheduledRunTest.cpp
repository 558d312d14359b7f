// The real executable in a temporary folder, with rows due a few seconds
// after its start that start a small script: each must run exactly once, in
// its own second's pass, and the rows must be moved on in the saved file.

#include "e2e/ScheduledRun.h"

namespace rimo {
namespace {

TEST_F(ScheduledRun, DueRowsStartTheirProgramOnceAndMoveOn) {
    RunScheduleAndCheck();
}

TEST_F(ScheduledRun, NoRowIsMissedWhileBothCoresAreBusy) {
    // One busy process per core, for the whole run.
    std::vector<std::unique_ptr<QProcess>> busy;
    for (int i = 0; i < 2; ++i) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        ASSERT_TRUE(process->waitForStarted(5000));
        busy.push_back(std::move(process));
    }
    RunScheduleAndCheck();
    for (auto& process : busy) {
        const qint64 pid = process->processId();
        if (pid > 0) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        process->waitForFinished(5000);
    }
}

class DaylightSavingRun : public FakeTimeRun {};

TEST_F(DaylightSavingRun, RowsOfTheSkippedHourRunOnceWhenTheClockJumps) {
    // 2025-03-09 01:59:55 EST; five seconds later it is 03:00:00 EDT.
    const std::int64_t start = 1741503595000;
    auto program = StartAt(start, {Row("daily", "毎日", "2025/03/09/日", "02:30:00"),
                                   Row("once", "", "2025/03/09/日", "02:45:00"),
                                   Row("hourly", "毎時", "2025/03/09/日", "02:00:00"),
                                   Row("after", "", "2025/03/09/日", "03:00:02")});
    WaitUntil(start + 5000 + 2000, start, realAtStart_); // past 03:00:02 EDT
    Terminate(*program);

    for (const char* tag : {"daily", "once", "hourly", "after"}) {
        EXPECT_EQ(RunCount(tag), 1) << tag << "\n" << TempFolder::Read(Runs());
    }
    const auto rows = SavedRows();
    EXPECT_EQ(rows.at("daily")[ColDate], "2025/03/10/月");
    EXPECT_EQ(rows.at("daily")[ColTime], "02:30:00");
    EXPECT_EQ(rows.at("once")[ColTime], "02:45:00");
    EXPECT_EQ(rows.at("hourly")[ColTime], "04:00:00");
}

TEST_F(DaylightSavingRun, RowsOfTheRepeatedHourRunOnce) {
    // 2025-11-02 01:59:55 EDT; five seconds later it is 01:00:00 EST.
    const std::int64_t start = 1762063195000;
    auto program = StartAt(start, {Row("once", "", "2025/11/02/日", "01:59:57"),
                                   Row("daily", "毎日", "2025/11/02/日", "01:59:58"),
                                   Row("after", "", "2025/11/02/日", "02:00:02")});
    WaitUntil(start + 5000 + 3000, start, realAtStart_); // 01:00:03 EST
    // The rest of the repeated hour at once: 01:59:50 EST.
    const std::int64_t later = start + 3600 * 1000 - 5000;
    SetClock(later);
    const std::int64_t realLater = UnixMsNow();
    WaitUntil(later + 12000, later, realLater); // 02:00:02 EST
    Terminate(*program);

    // 01:59:57 and 01:59:58 came twice; each row ran once.
    for (const char* tag : {"once", "daily", "after"}) {
        EXPECT_EQ(RunCount(tag), 1) << tag << "\n" << TempFolder::Read(Runs());
    }
    EXPECT_EQ(SavedRows().at("daily")[ColDate], "2025/11/03/月");
}

} // namespace
} // namespace rimo
