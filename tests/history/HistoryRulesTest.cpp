#include "history/HistoryRules.h"

#include "ZoneScope.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

namespace rimo {
namespace {

TEST(HistoryRules, ARowInAGapWasSleptThroughOrJumpedOver) {
    // Due 50 minutes after the last tick; the boot clock ran an hour (asleep) ...
    EXPECT_EQ(HistoryRules::GapCode(3'000'000, 3'600'250), HistoryCode::Suspend);
    // ... or 40 minutes, and then the clock was set forward over the row.
    EXPECT_EQ(HistoryRules::GapCode(3'000'000, 2'400'000), HistoryCode::ClockForward);
}

TEST(HistoryRules, AProgramThatEndsOtherwiseThanWithZeroFailed) {
    HistoryEntry entry;
    HistoryRules::ApplyExit(entry, 0);
    EXPECT_EQ(entry.Outcome, RunOutcome::Done);
    EXPECT_EQ(entry.ExitStatus, std::optional<int>(0));
    HistoryRules::ApplyExit(entry, 3);
    EXPECT_EQ(entry.Outcome, RunOutcome::Failed);
    entry = {};
    HistoryRules::ApplyExit(entry, -9);
    EXPECT_EQ(entry.Outcome, RunOutcome::Failed);
}

// Starts `sh -c script`, lets `then` act on its pid, and returns its waitpid status.
int StatusOfShell(const char* script, void (*then)(pid_t) = nullptr) {
    pid_t pid = 0;
    char sh[] = "/bin/sh", c[] = "-c";
    std::string text = script;
    char* argv[] = {sh, c, text.data(), nullptr};
    EXPECT_EQ(posix_spawn(&pid, sh, nullptr, nullptr, argv, environ), 0);
    if (then) {
        then(pid);
    }
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    return status;
}

TEST(HistoryRules, AWaitStatusIsTheExitCodeOrMinusTheSignal) {
    EXPECT_EQ(HistoryRules::ExitStatus(StatusOfShell("exit 0")), std::optional<int>(0));
    EXPECT_EQ(HistoryRules::ExitStatus(StatusOfShell("exit 3")), std::optional<int>(3));
    EXPECT_EQ(HistoryRules::ExitStatus(StatusOfShell("exit 255")), std::optional<int>(255));
    const int killed = StatusOfShell("exec sleep 30", [](pid_t pid) { ::kill(pid, SIGKILL); });
    EXPECT_EQ(HistoryRules::ExitStatus(killed), std::optional<int>(-9));
    EXPECT_EQ(HistoryRules::ExitStatus(StatusOfShell("kill -TERM $$")), std::optional<int>(-15));
}

TEST(HistoryRules, RunsAndMissesAsEntries) {
    const ZoneScope tokyo("Asia/Tokyo");
    const DateTime ten = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);
    constexpr std::int64_t kTenMs = 1796691600000;
    HistoryEntry run =
        HistoryRules::RunEntry({"sync", "時刻合わせ", "", RunOrigin::Scheduled, ten}, kTenMs + 7);
    EXPECT_EQ(run.DueMs, std::optional<std::int64_t>(kTenMs));
    EXPECT_EQ(run.StartedMs, std::optional<std::int64_t>(kTenMs + 7));
    ActionResult synchronised;
    synchronised.Clock = ClockFigure{-250'000'000, true};
    HistoryRules::ApplyResult(run, synchronised);
    EXPECT_EQ(run.Outcome, RunOutcome::Done);
    EXPECT_EQ(run.OffsetNs, std::optional<std::int64_t>(-250'000'000));
    EXPECT_TRUE(run.ClockSet);

    // The timer's expiry is due in the second it acts in.
    const HistoryEntry timer =
        HistoryRules::RunEntry({"RIMOタイマー", "警告音", "", RunOrigin::Timer, {}}, kTenMs + 420);
    EXPECT_EQ(timer.DueMs, std::optional<std::int64_t>(kTenMs));

    const MissedRow row{
        {"hourly", "毎時", "2026/12/08/火", "10:00:00", "警告音", "", "しない", "○"},
        ten,
        ten + EncodeTime(2, 0, 0),
        3};
    const HistoryEntry missed = HistoryRules::MissedEntry(row, HistoryCode::NotRunning);
    EXPECT_EQ(missed.Outcome, RunOutcome::Missed);
    EXPECT_FALSE(missed.StartedMs);
    EXPECT_EQ(missed.DueMs, std::optional<std::int64_t>(kTenMs));
    EXPECT_EQ(missed.LastDueMs, std::optional<std::int64_t>(kTenMs + 2 * 3'600'000));
    EXPECT_EQ(missed.Occurrences, 3);
    EXPECT_EQ(missed.Code, "not-running");
}

} // namespace
} // namespace rimo
