#include "net/SyncDecision.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

// 2024-12-31 13:59:58 UTC (`date -u -d @1735653598`).
constexpr std::int64_t kMomentUnixMs = 1735653598000;
constexpr std::int64_t kMinute = 60'000;
constexpr std::int64_t kHour = 60 * kMinute;

SyncContext ZoneContext(std::int64_t nowUnixMs, int offsetSeconds) {
    return SyncContext{nowUnixMs, [offsetSeconds](std::int64_t) { return offsetSeconds; },
                       EncodeDate(2024, 1, 1)};
}
SyncContext Context(std::int64_t nowUnixMs, int zoneHours) {
    return ZoneContext(nowUnixMs, zoneHours * 3600);
}

SyncDecision Decide(std::string_view reply, const SyncContext& context) {
    return DecideClockSetting(ReadDayTimeReply(reply), context);
}

void ExpectSets(std::string_view reply, const SyncContext& context, std::int64_t unixMs) {
    const SyncDecision decision = Decide(reply, context);
    ASSERT_TRUE(decision.UnixMs.has_value()) << reply << ": " << decision.Refusal;
    EXPECT_EQ(*decision.UnixMs, unixMs) << reply;
}

std::string Refusal(std::string_view reply, const SyncContext& context) {
    const SyncDecision decision = Decide(reply, context);
    EXPECT_FALSE(decision.UnixMs.has_value()) << reply;
    EXPECT_FALSE(decision.Refusal.IsEmpty()) << reply;
    return decision.Refusal.Text();
}

TEST(SyncDecision, AReplyWithoutZoneIsReadAsUtcMinusFourThenInThisPcsZone) {
    // The example of the unmarked layout: 09:59:58 on a server four hours behind UTC.
    ExpectSets("Tue Dec 31 09:59:58 2024\r\n", Context(kMomentUnixMs - 3000, 9), kMomentUnixMs);
    // A server on this PC's zone (Japan): 22:59:58 there is 13:59:58 UTC.
    ExpectSets("Tue Dec 31 22:59:58 2024\r\n", Context(kMomentUnixMs + 5000, 9), kMomentUnixMs);
    // ... and in a zone behind UTC, across the date line of UTC.
    ExpectSets("Tue Dec 31 05:59:58 2024\r\n", Context(kMomentUnixMs, -8), kMomentUnixMs);
}

TEST(SyncDecision, AReplyWithoutZoneNeverCorrectsThirtyMinutesOrMore) {
    // The server is on Japan time, this PC on UTC: 9 hours either way.
    const std::string why = Refusal("Tue Dec 31 22:59:58 2024\r\n", Context(kMomentUnixMs, 0));
    EXPECT_EQ(why, "サーバーの応答にタイムゾーンがなく、このPCの時計と9時間00分ずれています。");
    // Within the limit: a clock 20 or 28 minutes fast is set right.
    ExpectSets("Tue Dec 31 09:59:58 2024", Context(kMomentUnixMs + 20 * kMinute, 9), kMomentUnixMs);
    ExpectSets("Tue Dec 31 09:59:58 2024", Context(kMomentUnixMs + 28 * kMinute, 9), kMomentUnixMs);
    // 29:59 is about half an hour: another zone's time, not a clock error.
    EXPECT_NE(Refusal("Tue Dec 31 09:59:58 2024", Context(kMomentUnixMs + 30 * kMinute - 1000, 9))
                  .find("と30分ずれ"),
              std::string::npos);
    EXPECT_NE(Refusal("Tue Dec 31 09:59:58 2024", Context(kMomentUnixMs + 30 * kMinute, 9))
                  .find("と30分ずれ"),
              std::string::npos);
    EXPECT_NE(Refusal("Tue Dec 31 09:59:58 2024", Context(kMomentUnixMs - 30 * kMinute, 9))
                  .find("タイムゾーン"),
              std::string::npos);
}

TEST(SyncDecision, InHalfHourZonesTheNearerReadingIsTaken) {
    // St. John's (UTC-3:30), this PC's clock right within the second: the
    // UTC-4 reading is 29:59.6 ahead, the reading on this PC's zone exact.
    const SyncContext stJohns = ZoneContext(kMomentUnixMs + 400, -(3 * 3600 + 1800));
    ExpectSets("Tue Dec 31 10:29:58 2024\r\n", stJohns, kMomentUnixMs);
    // ... also with this PC's clock a few minutes off either way.
    ExpectSets("Tue Dec 31 10:29:58 2024\r\n",
               ZoneContext(kMomentUnixMs + 4 * kMinute, -(3 * 3600 + 1800)), kMomentUnixMs);
    ExpectSets("Tue Dec 31 10:29:58 2024\r\n",
               ZoneContext(kMomentUnixMs - 4 * kMinute, -(3 * 3600 + 1800)), kMomentUnixMs);
    // Kolkata (UTC+5:30) and Kathmandu (UTC+5:45) on their own zones.
    ExpectSets("Tue Dec 31 19:29:58 2024", ZoneContext(kMomentUnixMs + 400, 5 * 3600 + 1800),
               kMomentUnixMs);
    ExpectSets("Tue Dec 31 19:44:58 2024", ZoneContext(kMomentUnixMs + 400, 5 * 3600 + 2700),
               kMomentUnixMs);
}

TEST(SyncDecision, AServerInANeighbouringZoneSetsNothing) {
    // Lord Howe's standard time (UTC+10:30) read on a Sydney PC (UTC+10):
    // 29:59.6 ahead, inside the limit, yet half an hour wrong.
    EXPECT_EQ(Refusal("Wed Jan 01 00:29:58 2025", ZoneContext(kMomentUnixMs + 400, 10 * 3600)),
              "サーバーの応答にタイムゾーンがなく、このPCの時計と30分ずれています。");
    // Kathmandu's time on a Kolkata PC: a quarter of an hour, either way round.
    EXPECT_EQ(Refusal("Tue Dec 31 19:44:58 2024", ZoneContext(kMomentUnixMs, 5 * 3600 + 1800)),
              "サーバーの応答にタイムゾーンがなく、このPCの時計と15分ずれています。");
    EXPECT_EQ(Refusal("Tue Dec 31 19:29:58 2024", ZoneContext(kMomentUnixMs, 5 * 3600 + 2700)),
              "サーバーの応答にタイムゾーンがなく、このPCの時計と15分ずれています。");
    // ... also with this PC's clock half a minute off.
    EXPECT_FALSE(
        Decide("Tue Dec 31 19:44:58 2024", ZoneContext(kMomentUnixMs - 30'000, 5 * 3600 + 1800))
            .UnixMs.has_value());
}

TEST(SyncDecision, RepliesThatNameTheirZoneAreTakenWhateverTheCorrection) {
    const SyncContext yearSlow = Context(kMomentUnixMs - 365 * 24 * kHour, 9);
    ExpectSets("\n60675 24-12-31 13:59:58 00 0 0  50.0 UTC(NIST) * \n", yearSlow, kMomentUnixMs);
    ExpectSets("Tuesday, December 31, 2024 9:59:58AM EDT\r\n", yearSlow, kMomentUnixMs);
    ExpectSets("Tuesday, December 31, 2024 8:59:58AM EST\r\n", yearSlow, kMomentUnixMs);
    ExpectSets("Tue Dec 31 13:59:58 UTC 2024\r\n", Context(kMomentUnixMs + 5 * kHour, 0),
               kMomentUnixMs);
    // A health digit of 1 (within 5 seconds) is good enough.
    ExpectSets("\n60675 24-12-31 13:59:58 00 0 1  50.0 UTC(NIST) * \n", yearSlow, kMomentUnixMs);
}

TEST(SyncDecision, ImplausibleRepliesAreRefusedWithTheReason) {
    const SyncContext context = Context(kMomentUnixMs, 9);
    EXPECT_EQ(Refusal("\n58484 19-01-01 00:00:00 00 0 0  50.0 UTC(NIST) * \n", context),
              "サーバーの時刻 2019/01/01 (UTC) は、このプログラムの作成日 2024/01/01 より前です。");
    EXPECT_EQ(Refusal("Fri Jan 01 00:00:01 UTC 2101", context),
              "サーバーの時刻 2101/01/01 0:00:01 (UTC) は 2100 年より後です。");
    ExpectSets("Fri Dec 31 23:59:59 UTC 2100", context, 4133980799000); // the last second taken
    EXPECT_EQ(Refusal("Tue Dec 31          2024\r\n", Context(kMomentUnixMs, -4)),
              "サーバーの応答に時刻がありません（日付だけです）。");
    EXPECT_EQ(Refusal("Tue Dec 31          UTC 2024", context),
              "サーバーの応答に時刻がありません（日付だけです）。");
    EXPECT_EQ(Refusal("\n60675 24-12-31 13:59:58 00 0 2  50.0 UTC(NIST) * \n", context),
              "サーバー自身の時刻に5秒を超える誤差のおそれがあると応答されました（状態 2）。");
    // Before the build date even when this PC's clock agrees with the server.
    EXPECT_NE(Refusal("Tue Dec 31 09:59:58 2023", Context(kMomentUnixMs - 366 * 24 * kHour, 9))
                  .find("作成日"),
              std::string::npos);
}

TEST(SyncDecision, DistancesForTheUser) {
    EXPECT_EQ(FormatDistance(45 * kMinute), "45分");
    EXPECT_EQ(FormatDistance(-(9 * kHour - 1000)), "9時間00分"); // to the nearest minute
    EXPECT_EQ(FormatDistance(3 * 24 * kHour + 4 * kHour + 5 * kMinute), "3日4時間05分");
}

} // namespace
} // namespace rimo
