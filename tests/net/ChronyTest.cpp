// Against a real NTP server nobody here wrote (Debian's chrony, serving this
// machine's own clock, so the true offset is zero): the client, and the clock
// page setting the clock through timedated, which is python3-dbusmock's
// template on a private bus: this machine's clock is never set.
#include "net/ChronyFixture.h"

#include "core/TextCodec.h"
#include "net/NtpClient.h"
#include "net/ThisClockSync.h"
#include "platform/PrivateBus.h"
#include "platform/linux/TimedatedClockService.h"

#include <QRegularExpression>

#include <cstdlib>

namespace rimo {
namespace {

class ChronyTest : public test::WithChrony<::testing::Test> {
protected:
    // One synchronisation through the clock page with timedated's mock
    // (`ntp`: whether a time service keeps the clock).
    struct Synchronisation : test::ThisClockSync {
        std::string SetTimeCall; // the mock's "SetTime ..." line, empty when none
        std::vector<std::int64_t> Fallback;
    };
    static Synchronisation Synchronise(bool ntp) {
        TempFolder folder;
        const std::filesystem::path mockLog = folder / "timedated.log";
        test::PrivateBus bus(
            QStringLiteral("/usr/bin/python3 -m dbusmock --session --template timedated -p "
                           "'{\"NTP\": %1}' -l %2")
                .arg(ntp ? QStringLiteral("true") : QStringLiteral("false"),
                     QString::fromStdString(mockLog.string())),
            QStringLiteral("rimo-chrony-timedated"));
        EXPECT_TRUE(bus.WaitForName(QStringLiteral("org.freedesktop.timedate1")));
        std::vector<std::int64_t> fallback;
        TimedatedClockService clockService(bus.Bus(), [&](std::int64_t offset) {
            fallback.push_back(offset);
            return ClockSetResult{ClockSetOutcome::Refused, "not here"};
        });
        Synchronisation result{
            test::SynchroniseThisClock(clockService, Chrony().Address(), QStringLiteral("NTP")),
            {},
            fallback};
        const std::string calls = TempFolder::Read(mockLog);
        const std::size_t at = calls.find("SetTime ");
        if (at != std::string::npos) {
            result.SetTimeCall = calls.substr(at, calls.find('\n', at) - at);
        }
        return result;
    }
};

TEST_F(ChronyTest, TheClientMeasuresThisMachinesOwnClock) {
    TNtpClient client;
    client.Host = Chrony().Address();
    client.TimeOut = 2000;
    for (int i = 0; i < 3; ++i) {
        const NtpReading reading = client.GetNtpTime();
        ASSERT_EQ(reading.Fault, NtpFault::None);
        EXPECT_EQ(reading.Packet.Stratum, 8);
        EXPECT_EQ(reading.Packet.Leap, 0);
        EXPECT_EQ(reading.Packet.Version, 4);
        EXPECT_GE(reading.DelayNs, 0);
        // The truth is 0; it lies within half the round trip (and chrony's
        // random bits below its precision).
        EXPECT_LE(std::llabs(reading.OffsetNs), reading.DelayNs / 2 + 1000)
            << "offset " << reading.OffsetNs << " round trip " << reading.DelayNs;
    }
}

TEST_F(ChronyTest, WithoutAutomaticSyncTheClockIsSetByTheMeasuredOffset) {
    const Synchronisation sync = Synchronise(false);
    EXPECT_TRUE(sync.Message.isEmpty()) << sync.Message.toStdString();
    ASSERT_EQ(sync.Lines.size(), 1);
    const QRegularExpressionMatch line =
        QRegularExpression(QStringLiteral(R"( \(差 ([-+]\d+\.\d{3}) 秒, 往復 (\d+\.\d{3}) 秒\)$)"))
            .match(sync.Lines[0]);
    ASSERT_TRUE(line.hasMatch()) << sync.Lines[0].toStdString();
    // Relative, interactive: "SetTime <microseconds> True True".
    const QRegularExpressionMatch call =
        QRegularExpression(QStringLiteral(R"(^SetTime (-?\d+) True True$)"))
            .match(QString::fromStdString(sync.SetTimeCall));
    ASSERT_TRUE(call.hasMatch()) << sync.SetTimeCall;
    const double shift = call.captured(1).toDouble() / 1e6;
    EXPECT_NEAR(shift, line.captured(1).toDouble(), 0.0006);
    EXPECT_LE(std::abs(shift), line.captured(2).toDouble() / 2 + 0.001);
    EXPECT_TRUE(sync.Fallback.empty());
    EXPECT_EQ(sync.Log, *Utf8ToCp932(sync.Lines[0].toStdString()) + "\r\n");
}

TEST_F(ChronyTest, WithAutomaticSyncTheOffsetIsLoggedAndTheClockLeftAlone) {
    const Synchronisation sync = Synchronise(true);
    EXPECT_TRUE(sync.Message.isEmpty()) << sync.Message.toStdString();
    EXPECT_EQ(sync.SetTimeCall, "");
    EXPECT_TRUE(sync.Fallback.empty());
    ASSERT_EQ(sync.Lines.size(), 1);
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral(
                R"(^\d{4}/\d\d/\d\d( \d+:\d\d:\d\d)? 自動時刻合わせ中: サーバーとの差 [-+]\d\.\d{3} 秒 \(往復 \d\.\d{3} 秒\)$)"))
            .match(sync.Lines[0])
            .hasMatch())
        << sync.Lines[0].toStdString();
    EXPECT_EQ(sync.Log, *Utf8ToCp932(sync.Lines[0].toStdString()) + "\r\n");
}

} // namespace
} // namespace rimo
