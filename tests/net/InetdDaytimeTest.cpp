// End to end against daytime servers that are not ours: openbsd-inetd's
// internal service, which writes ctime() of its own zone and no zone name.
// ./test.sh (scripts/daytime-server.sh) runs them on 127.0.0.2:13 with
// TZ=JST-9 and on 127.0.0.3 to 127.0.0.7 in half-hour and 45-minute zones;
// this program's zone is set through TZ for each case.
#include "net/ThisClockSync.h"

#include "ZoneScope.h"
#include "core/TextCodec.h"
#include "fakes/FakeClockService.h"

namespace rimo {
namespace {

constexpr const char* kServer = "127.0.0.2";
constexpr const char* kNoServer =
    "no daytime server answers on port 13 (./test.sh starts openbsd-inetd's with "
    "scripts/daytime-server.sh, which needs root for port 13)";

// The clock service is a fake: its moves of the clock are recorded.
struct Synchronisation : test::ThisClockSync {
    std::vector<std::int64_t> Set; // in microseconds

    // ctime() has whole seconds: the server's time is the second of the
    // exchange, so the clock moves back by less than a second (and the time
    // the exchange took) or forward by no more than that time.
    bool MovedWithinTheExchangesSecond() const {
        if (Set.size() != 1) {
            return false;
        }
        const std::int64_t shiftMs = Set[0] / 1000;
        return shiftMs > -1000 - (After - Before) && shiftMs <= After - Before;
    }
};

Synchronisation SynchroniseWithInetd(const char* server = kServer) {
    FakeClockService clockService;
    Synchronisation result{
        test::SynchroniseThisClock(clockService, server, ProtocolComboBox::kDayTime), {}};
    result.Set = clockService.Shifts;
    return result;
}

TEST(InetdDaytime, AServerOnThisPcsZoneSetsTheClockToItsTime) {
    const ZoneScope tokyo("JST-9");
    const Synchronisation sync = SynchroniseWithInetd();
    if (sync.Message == QStringLiteral("10061:Connection refused")) {
        GTEST_SKIP() << kNoServer;
    }
    EXPECT_TRUE(sync.Message.isEmpty()) << sync.Message.toStdString();
    EXPECT_TRUE(sync.MovedWithinTheExchangesSecond());
    ASSERT_EQ(sync.Lines.size(), 1);
    EXPECT_EQ(sync.Log, *Utf8ToCp932(sync.Lines[0].toStdString()) + "\r\n"); // CP932
}

TEST(InetdDaytime, AServerNineHoursAwayLeavesTheClockAlone) {
    const ZoneScope utc("UTC0");
    const Synchronisation sync = SynchroniseWithInetd();
    if (sync.Message == QStringLiteral("10061:Connection refused")) {
        GTEST_SKIP() << kNoServer;
    }
    EXPECT_EQ(sync.Message,
              QStringLiteral("時刻合わせ失敗しました。\nサーバーの応答にタイムゾーンがなく、"
                             "このPCの時計と9時間00分ずれています。"));
    EXPECT_TRUE(sync.Set.empty());
    EXPECT_TRUE(sync.Lines.isEmpty());
    EXPECT_EQ(sync.Log, "");
}

TEST(InetdDaytime, ServersInHalfHourAndQuarterHourZonesSetTheClockRight) {
    struct Case {
        const char* Server;
        const char* Zone;
    };
    // This PC in the server's zone; its clock is right, so the clock is set
    // within the second of the exchange (the UTC-4 reading of a zone 30
    // minutes off UTC-4 is 29:59.x away, and must not be taken).
    for (const Case& c : {Case{"127.0.0.3", "America/St_Johns"}, Case{"127.0.0.4", "Asia/Kolkata"},
                          Case{"127.0.0.5", "Asia/Kathmandu"}, Case{"127.0.0.6", "<-0330>3:30"}}) {
        const ZoneScope zone(c.Zone);
        const Synchronisation sync = SynchroniseWithInetd(c.Server);
        if (sync.Message == QStringLiteral("10061:Connection refused")) {
            GTEST_SKIP() << kNoServer << " (" << c.Server << ")";
        }
        EXPECT_TRUE(sync.Message.isEmpty()) << c.Zone << ": " << sync.Message.toStdString();
        EXPECT_TRUE(sync.MovedWithinTheExchangesSecond()) << c.Zone;
    }
}

TEST(InetdDaytime, AServerHalfAnHourAheadOfThisPcsZoneLeavesTheClockAlone) {
    // Lord Howe's standard time against Sydney's.
    const ZoneScope sydney("<+10>-10");
    const Synchronisation sync = SynchroniseWithInetd("127.0.0.7");
    if (sync.Message == QStringLiteral("10061:Connection refused")) {
        GTEST_SKIP() << kNoServer;
    }
    EXPECT_EQ(sync.Message,
              QStringLiteral("時刻合わせ失敗しました。\nサーバーの応答にタイムゾーンがなく、"
                             "このPCの時計と30分ずれています。"));
    EXPECT_TRUE(sync.Set.empty());
}

} // namespace
} // namespace rimo
