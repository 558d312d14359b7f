// The schedule pass across daylight-saving changes: the local clock of zones
// that change, read once a real second.
#include "ZoneScope.h"
#include "schedule/PassFixture.h"

#include <algorithm>

namespace rimo {
namespace {

// New York's 2025 changes: 2025-03-09 01:59:59 EST is followed by 03:00:00
// EDT, 2025-11-02 01:59:59 EDT by 01:00:00 EST.
constexpr std::int64_t kNewYorkMarch0129_58 = 1741501798000;    // 2025-03-09 06:29:58 UTC
constexpr std::int64_t kNewYorkNovember0059_58 = 1762059598000; // 2025-11-02 04:59:58 UTC
constexpr std::int64_t kBerlinMarch0159_58 = 1743296398000;     // 2025-03-30 00:59:58 UTC
constexpr std::int64_t kBerlinOctober0229_58 = 1761438598000;   // 2025-10-26 00:29:58 UTC

DateTime Local(int year, int month, int day, int hour, int minute, int second = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
}

class ZonePassTest : public PassTest {
protected:
    // Ticks once a real second from `fromUnixMs` for `seconds` seconds.
    void TickEachSecond(std::int64_t fromUnixMs, int seconds) {
        pass_.Start(fromUnixMs);
        for (int s = 1; s <= seconds; ++s) {
            const TickReport report = pass_.Tick(fromUnixMs + s * 1000 + 3);
            gaps += report.Gap ? 1 : 0;
        }
    }
    int Runs(const std::string& title) const {
        return static_cast<int>(std::count(steps_.ran.begin(), steps_.ran.end(), title));
    }
    int gaps = 0;
};

TEST_F(ZonePassTest, RowsInTheSkippedHourRunOnceAtTheFirstSecondAfterIt) {
    const ZoneScope newYork("America/New_York");
    Rows({Row("hourly", "毎時", Local(2025, 3, 9, 1, 30)),
          Row("half-hourly", "30分毎", Local(2025, 3, 9, 2, 0)),
          Row("daily", "毎日", Local(2025, 3, 9, 2, 30)), Row("once", "", Local(2025, 3, 9, 2, 45)),
          Row("off", "毎日", Local(2025, 3, 9, 2, 15), "しない", "×"),
          Row("at three", "", Local(2025, 3, 9, 3, 0)),
          Row("after", "", Local(2025, 3, 9, 3, 0, 3))});
    // 01:29:58 EST to 03:00:05 EDT: 31 minutes and 8 seconds of real time.
    TickEachSecond(kNewYorkMarch0129_58, 31 * 60 + 7);
    EXPECT_EQ(gaps, 0);
    // The hourly row ran at 01:30 and again at the change (its 02:30).
    EXPECT_EQ(Runs("hourly"), 2);
    for (const char* title : {"half-hourly", "daily", "once", "at three", "after"}) {
        EXPECT_EQ(Runs(title), 1) << title;
    }
    EXPECT_EQ(Runs("off"), 0);
    // Skipped rows ran before 03:00:00's own, oldest first (02:00, 02:30 twice, 02:45).
    ASSERT_EQ(steps_.ran.size(), 7u);
    EXPECT_EQ(steps_.ran[1], "half-hourly");
    EXPECT_EQ(steps_.ran[4], "once");
    EXPECT_EQ(steps_.ran[5], "at three");
    // Moved on past the change; the one-off row keeps its time as after any run.
    EXPECT_EQ(table_.Row(Find("daily"))[ColDate], "2025/03/10/月");
    EXPECT_EQ(table_.Row(Find("hourly"))[ColTime], "03:30:00");
    EXPECT_EQ(table_.Row(Find("half-hourly"))[ColTime], "03:30:00");
    EXPECT_EQ(table_.Row(Find("off"))[ColDate], "2025/03/09/日");
}

TEST_F(ZonePassTest, ATickLateAcrossTheChangeRunsSkippedRowsThenCoversItsSeconds) {
    const ZoneScope newYork("America/New_York");
    Rows({Row("skipped", "", Local(2025, 3, 9, 2, 10)), Row("real", "", Local(2025, 3, 9, 3, 0, 2)),
          Row("before", "", Local(2025, 3, 9, 1, 59, 55))});
    const std::int64_t at0159_50 = 1741503590000;
    pass_.Start(at0159_50);
    const TickReport report = pass_.Tick(at0159_50 + 15'000); // 03:00:05 EDT, 15 s late
    EXPECT_FALSE(report.Gap);
    EXPECT_EQ(report.SecondsCovered, 16); // 01:59:50 to 01:59:59, 03:00:00 to 03:00:05
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"before", "skipped", "real"}));
}

TEST_F(ZonePassTest, InTheRepeatedHourEachRowRunsOnce) {
    const ZoneScope newYork("America/New_York");
    Rows({Row("once", "", Local(2025, 11, 2, 1, 30)),
          Row("hourly", "毎時", Local(2025, 11, 2, 1, 15)),
          Row("half-hourly", "30分毎", Local(2025, 11, 2, 1, 0, 30)),
          Row("daily", "毎日", Local(2025, 11, 2, 1, 45)),
          Row("after", "", Local(2025, 11, 2, 2, 0, 2))});
    // 00:59:58 EDT to 02:00:05 EST: two hours and seven seconds.
    TickEachSecond(kNewYorkNovember0059_58, 2 * 3600 + 7);
    EXPECT_EQ(gaps, 0);
    EXPECT_EQ(Runs("once"), 1);
    EXPECT_EQ(Runs("hourly"), 1);
    EXPECT_EQ(Runs("half-hourly"), 2); // 01:00:30 and 01:30:30, once each
    EXPECT_EQ(Runs("daily"), 1);
    EXPECT_EQ(Runs("after"), 1);
    EXPECT_EQ(table_.Row(Find("daily"))[ColDate], "2025/11/03/月");
    EXPECT_EQ(table_.Row(Find("hourly"))[ColTime], "02:15:00");
}

TEST_F(ZonePassTest, BerlinsChangesToo) {
    const ZoneScope berlin("Europe/Berlin");
    Rows({Row("spring", "毎日", Local(2025, 3, 30, 2, 30)),
          Row("autumn", "", Local(2025, 10, 26, 2, 30))});
    TickEachSecond(kBerlinMarch0159_58, 4); // 01:59:58 CET to 03:00:01 CEST
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"spring"});
    EXPECT_EQ(table_.Row(Find("spring"))[ColDate], "2025/03/31/月");
    TickEachSecond(kBerlinOctober0229_58, 3600 + 10); // 02:29:58 CEST to 02:30:08 CET
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"spring", "autumn"}));
    EXPECT_EQ(gaps, 0);
}

TEST_F(ZonePassTest, AZoneFarAheadIsAGapNotAJump) {
    // The machine's zone changes from UTC to Japan: nine hours no one lived.
    const std::int64_t noonUtc = 1746100800000; // 2025-05-01 12:00:00 UTC
    Rows({Row("in between", "毎日", Local(2025, 5, 1, 15, 0)),
          Row("after", "", Local(2025, 5, 1, 21, 0, 1))});
    {
        const ZoneScope utc("UTC0");
        pass_.Start(noonUtc);
        pass_.Tick(noonUtc + 1000);
    }
    const ZoneScope japan("JST-9");
    const TickReport report = pass_.Tick(noonUtc + 2000); // 21:00:02 in Japan
    EXPECT_TRUE(report.Gap);
    EXPECT_EQ(report.MovedRows, 1);
    EXPECT_TRUE(steps_.ran.empty());
    EXPECT_EQ(table_.Row(Find("in between"))[ColDate], "2025/05/02/金");
}

} // namespace
} // namespace rimo
