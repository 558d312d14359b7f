// The pass when the tick sleeps until the next due row: where it must wake,
// and the uneventful seconds it then takes as covered.
#include "ZoneScope.h"
#include "schedule/PassFixture.h"

#include <algorithm>

namespace rimo {
namespace {

// 2025-03-09 in New York: 01:59:59 EST (06:59:59 UTC) is followed by 03:00:00
// EDT; 2025-11-02: 01:59:59 EDT (05:59:59 UTC) by 01:00:00 EST.
constexpr std::int64_t kNewYorkSpringChange = 1741503600; // 07:00:00 UTC
constexpr std::int64_t kNewYorkFallChange = 1762063200;   // 06:00:00 UTC
constexpr std::int64_t kHour = 3600;

DateTime Local(int year, int month, int day, int hour, int minute, int second = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
}

class QuietPassTest : public PassTest {
protected:
    int Runs(const std::string& title) const {
        return static_cast<int>(std::count(steps_.ran.begin(), steps_.ran.end(), title));
    }
};

TEST_F(QuietPassTest, WakesForTheFirstEnabledRowNotYetCovered) {
    const ZoneScope tokyo("Asia/Tokyo");
    const std::int64_t tenMs = ToUnixMilliseconds(kTen); // 01:00:00 UTC
    Rows({Row("covered", "", kTen), Row("off", "", AddSeconds(kTen, 30), "しない", "×"),
          Row("next", "", AddSeconds(kTen, 95)), Row("later", "", AddSeconds(kTen, 300))});
    pass_.Start(tenMs + 1000); // 10:00:00 counts as covered
    EXPECT_EQ(pass_.QuietWakeSecond(tenMs + 1500, kHour), tenMs / 1000 + 95);
    // No row within the horizon: the horizon.
    EXPECT_EQ(pass_.QuietWakeSecond(tenMs + 1500, 60), tenMs / 1000 + 61);
    // A row due now or already behind, not covered: at once (never in the past).
    Rows({Row("behind", "", AddSeconds(kTen, 1))});
    EXPECT_EQ(pass_.QuietWakeSecond(tenMs + 5000, kHour), tenMs / 1000 + 5);
}

TEST_F(QuietPassTest, ARowDueAfterAnHourOfSilenceRunsAtItsSecond) {
    const ZoneScope tokyo("Asia/Tokyo");
    const std::int64_t tenMs = ToUnixMilliseconds(kTen);
    Rows({Row("eleven", "毎日", AddSeconds(kTen, kHour))});
    pass_.Start(tenMs);
    pass_.Tick(tenMs + 3);
    const std::int64_t wake = pass_.QuietWakeSecond(tenMs + 3, 2 * kHour);
    EXPECT_EQ(wake * 1000, tenMs + kHour * 1000);
    // The silence up to just before the wake, then the wake's tick.
    pass_.CoverQuietly(wake * 1000 - 1);
    const TickReport report = pass_.Tick(wake * 1000);
    EXPECT_FALSE(report.Gap);
    EXPECT_EQ(report.SecondsCovered, 1);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"eleven"});
    EXPECT_EQ(table_.Cell(ColDate, 1), FormatScheduleDate(AddDays(kTen, 1)));
}

TEST_F(QuietPassTest, WakesAtEachChangeOfTheZonesOffset) {
    const ZoneScope newYork("America/New_York");
    Rows({Row("skipped", "", Local(2025, 3, 9, 2, 30)), Row("after", "", Local(2025, 3, 9, 4, 0))});
    const std::int64_t before = (kNewYorkSpringChange - 600) * 1000; // 01:50:00 EST
    pass_.Start(before);
    EXPECT_EQ(pass_.QuietWakeSecond(before, 4 * kHour), kNewYorkSpringChange);
    // The silence is not covered across the change: its skipped row runs at the change.
    pass_.CoverQuietly(kNewYorkSpringChange * 1000 - 1);
    pass_.CoverQuietly(kNewYorkSpringChange * 1000 + 2000);
    pass_.Tick(kNewYorkSpringChange * 1000 + 2000);
    EXPECT_EQ(Runs("skipped"), 1);
    EXPECT_EQ(Runs("after"), 0);
    EXPECT_EQ(pass_.QuietWakeSecond(kNewYorkSpringChange * 1000 + 2000, 4 * kHour),
              kNewYorkSpringChange + kHour); // 04:00:00 EDT

    // Autumn: 01:30 comes twice; the row runs at the first, and the tick
    // wakes at the change, then not for the second 01:30.
    Rows({Row("twice", "", Local(2025, 11, 2, 1, 30))});
    const std::int64_t autumn = (kNewYorkFallChange - 2 * kHour) * 1000; // 00:00:00 EDT
    pass_.Start(autumn);
    EXPECT_EQ(pass_.QuietWakeSecond(autumn, 4 * kHour), kNewYorkFallChange - 1800);
    pass_.CoverQuietly((kNewYorkFallChange - 1800) * 1000 - 1);
    pass_.Tick((kNewYorkFallChange - 1800) * 1000);
    EXPECT_EQ(Runs("twice"), 1);
    EXPECT_EQ(pass_.QuietWakeSecond((kNewYorkFallChange - 1800) * 1000, 4 * kHour),
              kNewYorkFallChange);
    pass_.CoverQuietly(kNewYorkFallChange * 1000 - 1);
    pass_.Tick(kNewYorkFallChange * 1000);
    EXPECT_EQ(pass_.QuietWakeSecond(kNewYorkFallChange * 1000, 4 * kHour),
              kNewYorkFallChange + 4 * kHour);
    pass_.CoverQuietly((kNewYorkFallChange + 1800) * 1000 + 5);
    pass_.Tick((kNewYorkFallChange + 1800) * 1000 + 5);
    EXPECT_EQ(Runs("twice"), 1);
}

TEST_F(QuietPassTest, ASecondAlreadyCoveredIsNeverCoveredAgain) {
    const ZoneScope tokyo("Asia/Tokyo");
    const std::int64_t tenMs = ToUnixMilliseconds(kTen);
    Rows({Row("row", "", AddSeconds(kTen, 10))});
    pass_.Start(tenMs);
    pass_.CoverQuietly(tenMs + 20'000);
    pass_.CoverQuietly(tenMs + 5000); // behind: no effect
    pass_.Tick(tenMs + 21'000);
    EXPECT_TRUE(steps_.ran.empty());
    EXPECT_EQ(pass_.LastCoveredSecond(), SecondOf(AddSeconds(kTen, 21)));
}

} // namespace
} // namespace rimo
