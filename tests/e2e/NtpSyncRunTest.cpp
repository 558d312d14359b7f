// The real executable synchronising by schedule against Debian's chrony
// (which serves this machine's own clock: the true offset is zero), with
// python3-dbusmock's timedated as the system's clock service on a private
// bus. The executable runs without CAP_SYS_TIME and chronyd with -x: this
// machine's clock is never set.

#include "PrivateBus.h"
#include "core/DateTime.h"
#include "core/TextCodec.h"
#include "e2e/ProgramTest.h"
#include "net/ChronyFixture.h"
#include "schedule/ScheduleFile.h"

#include <QRegularExpression>

#include <chrono>
#include <thread>

namespace rimo {
namespace {

using namespace std::chrono_literals;

class NtpSyncRun : public test::WithChrony<ProgramTest> {
protected:
    void SetUp() override {
        WithChrony::SetUp();
        if (!IsSkipped()) {
            ASSERT_TRUE(bus_.Ready()) << "dbus-daemon did not start";
        }
    }

    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = ProgramTest::Environment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), bus_.Address());
        return environment;
    }

    // A scheduled "時刻合わせ" against chrony, with timedated saying whether a
    // time service keeps the clock. Returns the log's text (UTF-8).
    std::string RunScheduledSync(bool ntp) {
        const std::filesystem::path mockLog = folder_ / "timedated.log";
        mockLog_ = mockLog;
        EXPECT_TRUE(bus_.StartMock(
            {QStringLiteral("--system"), QStringLiteral("--template"), QStringLiteral("timedated"),
             QStringLiteral("-p"),
             ntp ? QStringLiteral(R"({"NTP": true})") : QStringLiteral(R"({"NTP": false})"),
             QStringLiteral("-l"), Text(mockLog)},
            QStringLiteral("org.freedesktop.timedate1")));
        TempFolder::Write(folder_ / "rimotime.ini", "[Setting]\r\nServer=" + Chrony().Address() +
                                                        "\r\nProtocol=NTP\r\nTimeOut=2000\r\n");
        const std::int64_t dueMs = (UnixMsNow() / 1000 + 4) * 1000;
        const DateTime due = FromUnixMilliseconds(dueMs);
        ScheduleTable table;
        table.ReplaceScheduleRows({{"sync", "", FormatScheduleDate(due), FormatScheduleTime(due),
                                    "時刻合わせ", "", "しない", "○"}});
        EXPECT_TRUE(SaveSchedule(folder_ / "rimotime.dat", table).ok());

        auto program = Start();
        // Past the due second, with room for a slow start and the exchange.
        while (UnixMsNow() < dueMs + 4000) {
            std::this_thread::sleep_for(100ms);
        }
        Terminate(*program);
        const std::string bytes = TempFolder::Read(folder_ / "rimotime.log");
        return DecodeFileText(bytes).Utf8;
    }
    std::string SetTimeCall() const {
        const std::string calls = TempFolder::Read(mockLog_);
        const std::size_t at = calls.find("SetTime ");
        return at == std::string::npos ? std::string()
                                       : calls.substr(at, calls.find('\n', at) - at);
    }

    PrivateBus bus_;
    std::filesystem::path mockLog_;
};

TEST_F(NtpSyncRun, WithoutAutomaticSyncTheClockIsSetWithinMilliseconds) {
    const QString log = QString::fromStdString(RunScheduledSync(false));
    const QRegularExpressionMatch line =
        QRegularExpression(
            QStringLiteral(R"(\(差 ([-+]\d+\.\d{3}) 秒, 往復 (\d+\.\d{3}) 秒\)\r\n$)"))
            .match(log);
    ASSERT_TRUE(line.hasMatch()) << log.toStdString();
    const QRegularExpressionMatch call =
        QRegularExpression(QStringLiteral(R"(^SetTime (-?\d+) True True$)"))
            .match(QString::fromStdString(SetTimeCall()));
    ASSERT_TRUE(call.hasMatch()) << SetTimeCall();
    const double shift = call.captured(1).toDouble() / 1e6;
    EXPECT_NEAR(shift, line.captured(1).toDouble(), 0.0006);
    // The truth is zero: within half the round trip of it.
    EXPECT_LE(std::abs(shift), line.captured(2).toDouble() / 2 + 0.001);
}

TEST_F(NtpSyncRun, WithAutomaticSyncTheOffsetIsLoggedAndNothingSet) {
    const std::string log = RunScheduledSync(true);
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral(
                R"(^\d{4}/\d\d/\d\d( \d+:\d\d:\d\d)? 自動時刻合わせ中: サーバーとの差 [-+]\d\.\d{3} 秒 \(往復 \d\.\d{3} 秒\)\r\n$)"))
            .match(QString::fromStdString(log))
            .hasMatch())
        << log;
    EXPECT_EQ(SetTimeCall(), "");
}

} // namespace
} // namespace rimo
