// The history of the running program: its thread, the recorder, and a
// writer killed in the middle of its writes.

#include "history/RunHistory.h"
#include "fakes/FakeBootClock.h"
#include "fakes/FakeClock.h"
#include "history/HistoryFixture.h"
#include "history/HistoryRecorder.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>

#include <csignal>
#include <random>

namespace rimo {
namespace {

constexpr std::int64_t kNow = 1796691600000; // 2026-12-08 01:00:00 UTC

class RunHistoryTest : public ::testing::Test {
protected:
    RunHistoryTest() { clock_.SetUnixMilliseconds(kNow); }

    std::filesystem::path File() const { return folder_ / "rimotime-history.sqlite"; }
    // Opens a history and waits for its answer: the moment last seen.
    std::optional<std::int64_t> Open(RunHistory& history) {
        QSignalSpy opened(&history, &RunHistory::Opened);
        history.Open(clock_.UnixMilliseconds());
        EXPECT_TRUE(opened.wait(10000));
        return opened.at(0).at(0).value<std::optional<std::int64_t>>();
    }

    TempFolder folder_;
    FakeClock clock_;
    FakeBootClock boot_;
};

TEST_F(RunHistoryTest, RunsAreWrittenInTheBackgroundAndTheLastSeenMomentIsKept) {
    {
        RunHistory history(File());
        EXPECT_FALSE(Open(history)); // a new history: never seen before
        HistoryRecorder recorder(history, clock_, boot_);

        const RunId run = recorder.Begin(
            {"job", "起動", "\"/bin/job\"", RunOrigin::Scheduled, FromUnixMilliseconds(kNow)});
        clock_.Advance(40);
        ActionResult started;
        started.Child = 4242;
        recorder.End(run, started);
        const RunId failed = recorder.Begin({"other", "起動", "\"/x\"", RunOrigin::Test, {}});
        recorder.End(failed, ActionResult::Failure("プログラムが見つかりません: /x"));
        const RunId quick =
            recorder.Begin({"quick", "起動", "\"/bin/quick\"", RunOrigin::Test, {}});
        started.Child = 4343;
        recorder.End(quick, started);
        history.Flush(); // both runs written before their programs end
        // Their programs end later, by pid, in another order; a pid no run
        // started and a second report of an ended one change nothing.
        recorder.ProgramEnded(4343, 0);
        recorder.ProgramEnded(999, 1);
        recorder.ProgramEnded(4242, -9);
        recorder.ProgramEnded(4343, 3);
        // A program that ends while its step still runs.
        const RunId early =
            recorder.Begin({"early", "起動", "\"/bin/early\"", RunOrigin::Test, {}});
        recorder.ProgramEnded(4444, -15);
        started.Child = 4444;
        recorder.End(early, started);
        clock_.Advance(5000);
        recorder.Closing();
        history.Flush();

        const std::vector<HistoryEntry> stored = StoredEntries(File());
        ASSERT_EQ(stored.size(), 4u);
        EXPECT_EQ(stored[3].Title, "job");
        EXPECT_EQ(stored[3].StartedMs, std::optional<std::int64_t>(kNow));
        EXPECT_EQ(stored[3].ExitStatus, std::optional<int>(-9));
        EXPECT_EQ(stored[3].Outcome, RunOutcome::Failed);
        EXPECT_EQ(stored[2].Message, "プログラムが見つかりません: /x");
        EXPECT_EQ(stored[2].Origin, RunOrigin::Test);
        EXPECT_FALSE(stored[2].ExitStatus);
        EXPECT_EQ(stored[1].Title, "quick");
        EXPECT_EQ(stored[1].ExitStatus, std::optional<int>(0));
        EXPECT_EQ(stored[1].Outcome, RunOutcome::Done);
        EXPECT_EQ(stored[0].Title, "early");
        EXPECT_EQ(stored[0].ExitStatus, std::optional<int>(-15));
        EXPECT_EQ(stored[0].Outcome, RunOutcome::Failed);
    }
    RunHistory again(File());
    EXPECT_EQ(Open(again), std::optional<std::int64_t>(kNow + 5040));
}

TEST_F(RunHistoryTest, WhatIsAskedJustBeforeTheEndIsWritten) {
    for (int round = 0; round < 20; ++round) {
        {
            RunHistory history(File());
            history.Open(kNow);
            history.Add(history.NewTicket(), SampleEntry(0, kNow + round));
            history.SetLastSeen(kNow + round);
        }
        HistoryDatabase db(File());
        ASSERT_TRUE(db.OpenForReading().ok()) << "round " << round;
        EXPECT_EQ(db.Count(), round + 1);
        EXPECT_EQ(db.LastSeen(), std::optional<std::int64_t>(kNow + round));
    }
}

TEST_F(RunHistoryTest, RowsOfAGapWereSleptThroughOrJumpedOver) {
    RunHistory history(File());
    Open(history);
    HistoryRecorder recorder(history, clock_, boot_);
    QSignalSpy missed(&recorder, &HistoryRecorder::Missed);
    const auto row = [](const char* title, std::int64_t dueMs) {
        const DateTime due = FromUnixMilliseconds(dueMs);
        return MissedRow{{title, "毎時", "", "", "警告音", "", "しない", "○"}, due, due, 1};
    };
    recorder.Ticked();
    // Asleep for 40 minutes, then the clock was set 20 minutes forward.
    clock_.Advance(3'600'000);
    boot_.Advance(2'400'000);
    recorder.MissedInGap({row("slept", kNow + 600'000), row("jumped", kNow + 3'000'000)});
    ASSERT_EQ(missed.size(), 1);
    const auto runs = missed.at(0).at(0).value<std::vector<MissedRun>>();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Code, "suspend");
    EXPECT_EQ(runs[1].Code, "clock-forward");
    history.Flush();
    const std::vector<HistoryEntry> stored = StoredEntries(File());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].Title, "jumped");
    EXPECT_EQ(stored[0].Outcome, RunOutcome::Missed);
    EXPECT_EQ(stored[1].DueMs, std::optional<std::int64_t>(kNow + 600'000));
    EXPECT_EQ(stored[1].Code, "suspend");
}

TEST_F(RunHistoryTest, AWriterKilledInTheMiddleLeavesADatabaseThatOpens) {
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 4; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(RIMO_HISTORY_WRITER),
                     {QString::fromStdString(File().string())});
        ASSERT_TRUE(writer.waitForReadyRead(20000)) << "round " << round;
        ASSERT_EQ(writer.readLine().trimmed(), "ready");
        QTest::qWait(std::uniform_int_distribution<int>(20, 300)(random));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(10000));

        HistoryDatabase db(File());
        const HistoryDatabase::OpenReport report = db.Open();
        ASSERT_TRUE(report.Ready);
        EXPECT_TRUE(report.Problem.isEmpty()) << report.Problem.toStdString(); // not set aside
        EXPECT_GT(db.Count(), 0);
        EXPECT_EQ(db.Count(), db.LastId()); // whole transactions only
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ / "rimotime-history.sqlite.broken"));
}

} // namespace
} // namespace rimo
