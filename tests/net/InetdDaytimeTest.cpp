// End to end against a daytime server that is not ours: openbsd-inetd's
// internal service, which writes ctime() of its own zone and no zone name.
// ./test.sh (scripts/daytime-server.sh) runs one on 127.0.0.2:13 with
// TZ=JST-9; this program's zone is set through TZ for each case.
#include "net/ThisClockSync.h"

#include "ZoneScope.h"
#include "core/TextCodec.h"
#include "fakes/FakeClockService.h"

namespace rimo {
namespace {

constexpr const char* kServer = "127.0.0.2";
constexpr const char* kNoServer =
    "no daytime server answers on 127.0.0.2:13 (./test.sh starts openbsd-inetd's with "
    "scripts/daytime-server.sh, which needs root for port 13)";

// The clock service is a fake: its moves of the clock are recorded.
struct Synchronisation : test::ThisClockSync {
    std::vector<std::int64_t> Set; // in microseconds
};

Synchronisation SynchroniseWithInetd() {
    FakeClockService clockService;
    Synchronisation result{
        test::SynchroniseThisClock(clockService, kServer, ProtocolComboBox::kDayTime), {}};
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
    ASSERT_EQ(sync.Set.size(), 1U);
    // ctime() has whole seconds: the server's time is the second of the
    // exchange, so the clock moves back by less than a second (and the time
    // the exchange took) or forward by no more than that time.
    const std::int64_t shiftMs = sync.Set[0] / 1000;
    EXPECT_GT(shiftMs, -1000 - (sync.After - sync.Before));
    EXPECT_LE(shiftMs, sync.After - sync.Before);
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

} // namespace
} // namespace rimo
