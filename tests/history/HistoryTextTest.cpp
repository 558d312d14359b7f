#include "history/HistoryText.h"

#include "ZoneScope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rimo {
namespace {

// 2026-12-08 10:00:00 in Tokyo.
constexpr std::int64_t kTenTokyo = 1796691600000;

HistoryEntry StartedRun() {
    HistoryEntry entry;
    entry.DueMs = kTenTokyo;
    entry.StartedMs = kTenTokyo + 12;
    entry.Title = "backup, nightly";
    entry.Action = "起動";
    entry.Argument = "\"/usr/bin/backup\" --all";
    entry.ExitStatus = 3;
    entry.Outcome = RunOutcome::Failed;
    return entry;
}

TEST(HistoryText, CsvQuotesOnlyWhatRfc4180Requires) {
    EXPECT_EQ(HistoryText::CsvHeader(),
              "due,started,lateness_ms,title,action,argument,outcome,detail\r\n");
    EXPECT_EQ(HistoryText::CsvField("plain text"), "plain text");
    EXPECT_EQ(HistoryText::CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(HistoryText::CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(HistoryText::CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(HistoryText::CsvField("one\nline"), "\"one\nline\"");
}

TEST(HistoryText, ARunAsCsvAndAsALine) {
    const ZoneScope tokyo("Asia/Tokyo");
    EXPECT_EQ(HistoryText::CsvRecord(StartedRun()),
              "2026-12-08T10:00:00+09:00,2026-12-08T10:00:00.012+09:00,12,\"backup, nightly\","
              "起動,\"\"\"/usr/bin/backup\"\" --all\",failed,exit 3\r\n");
    EXPECT_EQ(HistoryText::PlainLine(StartedRun()),
              "2026/12/08 10:00:00\t2026/12/08 10:00:00.012\t12 ms\tfailed\tbackup, nightly\t"
              "起動\t\"/usr/bin/backup\" --all\texit 3\n");
}

TEST(HistoryText, TheDetailSaysWhatStartedItAndHowItEnded) {
    const ZoneScope tokyo("Asia/Tokyo");
    HistoryEntry entry = StartedRun();
    entry.ExitStatus = -9;
    entry.Origin = RunOrigin::RunNow;
    EXPECT_EQ(HistoryText::Detail(entry), "run now; signal 9");

    HistoryEntry clock;
    clock.Origin = RunOrigin::Test;
    clock.OffsetNs = -1'234'000'000;
    clock.ClockSet = true;
    EXPECT_EQ(HistoryText::Detail(clock), "test; offset -1.234 s (clock set)");
    clock.ClockSet = false;
    clock.OffsetNs = 4'000'000;
    EXPECT_EQ(HistoryText::Detail(clock), "test; offset +0.004 s (measured)");

    HistoryEntry failed;
    failed.Outcome = RunOutcome::Failed;
    failed.Message = "プログラムが見つかりません: /x";
    EXPECT_EQ(HistoryText::Detail(failed), "プログラムが見つかりません: /x");

    HistoryEntry missed;
    missed.DueMs = kTenTokyo;
    missed.Outcome = RunOutcome::Missed;
    missed.Code = std::string(HistoryCode::Suspend);
    missed.Occurrences = 3;
    missed.LastDueMs = kTenTokyo + 2 * 3600'000;
    EXPECT_EQ(HistoryText::Detail(missed),
              "the computer was asleep; 3 times, the last 2026-12-08T12:00:00+09:00");
    // A miss has no start, so no lateness.
    EXPECT_EQ(HistoryText::CsvRecord(missed),
              "2026-12-08T10:00:00+09:00,,,,,,missed,\"the computer was asleep; 3 times, the last "
              "2026-12-08T12:00:00+09:00\"\r\n");
}

TEST(HistoryText, LocalTimesCarryTheirOffset) {
    {
        const ZoneScope newfoundland("America/St_Johns"); // daylight saving in July: -02:30
        EXPECT_EQ(HistoryText::IsoLocal(1782907200000, false), "2026-07-01T09:30:00-02:30");
    }
    const ZoneScope utc("UTC");
    EXPECT_EQ(HistoryText::IsoLocal(1782907200123, true), "2026-07-01T12:00:00.123+00:00");
}

TEST(HistoryText, ADayIsYearMonthDayAndBeginsAtLocalMidnight) {
    const ZoneScope tokyo("Asia/Tokyo");
    EXPECT_EQ(HistoryText::ParseDay("2026-12-01"), std::optional<std::int64_t>(1796050800000));
    for (const char* wrong :
         {"2026-13-01", "2026-02-30", "2026/12/01", "2026-1-01", "26-12-01", "2026-12-01x", ""}) {
        EXPECT_FALSE(HistoryText::ParseDay(wrong)) << wrong;
    }
}

} // namespace
} // namespace rimo
