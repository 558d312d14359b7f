// End to end against daytime servers that are not ours: openbsd-inetd's
// internal service, which writes ctime() of its own zone and no zone name.
// ./test.sh (scripts/daytime-server.sh) runs them on 127.0.0.2:13 with
// TZ=JST-9 and on 127.0.0.3 to 127.0.0.7 in half-hour and 45-minute zones;
// this program's zone is set through TZ for each case.
#include "net/ClockPage.h"

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "ZoneScope.h"
#include "fakes/FakeClockService.h"
#include "fakes/FakeNetworkState.h"
#include "platform/linux/LocalTimeZone.h"
#include "platform/linux/SystemClock.h"

#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace rimo {
namespace {

constexpr const char* kServer = "127.0.0.2";
constexpr const char* kNoServer =
    "no daytime server answers on port 13 (./test.sh starts openbsd-inetd's with "
    "scripts/daytime-server.sh, which needs root for port 13)";

// One synchronisation through the clock page, with this machine's clock and
// zone; the clock service is a fake, so this machine's clock is never set.
struct Synchronisation {
    QString Message; // the one message shown, empty when none
    std::vector<std::int64_t> Set;
    QStringList Lines;
    std::string Log;
    std::int64_t Before = 0;
    std::int64_t After = 0;
};

Synchronisation SynchroniseWithInetd(const char* server = kServer) {
    TempFolder folder;
    SystemClock clock;
    LocalTimeZone zone;
    FakeClockService clockService;
    FakeNetworkState network;
    QWidget sheet;
    ClockPage page(sheet, AppPaths::InFolder(folder.Path()),
                   ClockPageServices{clock, zone, clockService, network}, ClockPageHost{});
    sheet.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))
        ->setText(QString::fromLatin1(server));
    Synchronisation result;
    result.Before = clock.UnixMilliseconds();
    page.GetTimeButtonClick();
    result.After = clock.UnixMilliseconds();
    const QList<QMessageBox*> boxes = VisibleMessageBoxes();
    for (QMessageBox* box : boxes) {
        result.Message += box->text();
    }
    CloseMessageBoxes();
    result.Set = clockService.Calls;
    result.Lines = page.ResultLines();
    EXPECT_TRUE(page.SaveSyncLog().ok());
    result.Log = TempFolder::Read(folder / "rimotime.log");
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
    // ctime() has whole seconds: the server's time is the second of the exchange.
    EXPECT_GE(sync.Set[0], sync.Before / 1000 * 1000);
    EXPECT_LE(sync.Set[0], sync.After);
    ASSERT_EQ(sync.Lines.size(), 1);
    EXPECT_EQ(sync.Log, sync.Lines[0].toStdString() + "\r\n");
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
        ASSERT_EQ(sync.Set.size(), 1U) << c.Zone;
        EXPECT_GE(sync.Set[0], sync.Before / 1000 * 1000) << c.Zone;
        EXPECT_LE(sync.Set[0], sync.After) << c.Zone;
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
