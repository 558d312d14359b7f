// The clock page with NTP servers of the tests' own: the clock moved by the
// measured offset, the offset reported where a time service keeps the clock,
// and every refusal said on the failure's second line.
#include "net/ClockPageFixture.h"

#include "EnglishScope.h"
#include "core/TextCodec.h"
#include "net/NtpClient.h"
#include "net/NtpTestServer.h"
#include "net/SyncDecision.h"

#include <QRegularExpression>

#include <cmath>

namespace rimo {
namespace {

using test::NtpTestServer;
using Answers = std::vector<NtpTestServer::Answer>;

constexpr std::int64_t kFiveSeconds = 5'000'000'000;

class ClockPageNtpTest : public ClockPageTest {
protected:
    // Half a second past 13:59:55 UTC, so that the result line's seconds do
    // not depend on the milliseconds a measurement is off.
    ClockPageNtpTest() { clock_.SetUnixMilliseconds(1735653595500); }

    void ServeNtp(NtpTestServer::Handler handler, std::int64_t offsetNs = kFiveSeconds) {
        ntpServer_ = std::make_unique<NtpTestServer>(std::move(handler), offsetNs);
        Control<QLineEdit>("LabeledEdit1")->setText(QStringLiteral("127.0.0.1"));
        page_->NtpClient1().Port = ntpServer_->Port();
    }
    // The one result line, matched against `pattern`, whose first two
    // captures are the offset and the round trip in seconds.
    std::pair<double, double> Figures(const QString& pattern) {
        const QStringList lines = page_->ResultLines();
        EXPECT_EQ(lines.size(), 1);
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(lines.value(0));
        EXPECT_TRUE(match.hasMatch()) << lines.value(0).toStdString();
        return {match.captured(1).toDouble(), match.captured(2).toDouble()};
    }
    std::string LoggedBytes() {
        EXPECT_TRUE(page_->SaveSyncLog().ok());
        return TempFolder::Read(paths_.SyncLogFile());
    }

    std::unique_ptr<NtpTestServer> ntpServer_;
};

TEST_F(ClockPageNtpTest, AFreshPageAsksNtpAndMovesTheClockByTheMeasuredOffset) {
    ServeNtp(NtpTestServer::Honest());
    QSignalSpy clockSet(page_.get(), &ClockPage::ClockSet);
    page_->GetTimeButtonClick();
    EXPECT_EQ(MessageBoxes().size(), 0);
    ASSERT_EQ(clockService_.Shifts.size(), 1U);
    const auto [offset, roundTrip] = Figures(QStringLiteral(
        R"(^2024/12/31 23:00:00 \+0/00:00:0[45] \(差 \+(\d\.\d{3}) 秒, 往復 (\d\.\d{3}) 秒\)$)"));
    // Within half the round trip of the truth (and the line's rounding).
    EXPECT_LE(std::abs(offset - 5.0), roundTrip / 2 + 0.001);
    EXPECT_LE(std::abs(static_cast<double>(clockService_.Shifts[0]) / 1e6 - offset), 0.0005);
    EXPECT_EQ(clockSet.count(), 1);
    EXPECT_EQ(LoggedBytes(), *Utf8ToCp932(page_->ResultLines()[0].toStdString()) + "\r\n");
}

TEST_F(ClockPageNtpTest, UnderEnglishTheLineIsShownInEnglishAndLoggedInItsStoredLayout) {
    EnglishScope english;
    ServeNtp(NtpTestServer::Honest());
    page_->GetTimeButtonClick();
    const auto [offset, roundTrip] = Figures(QStringLiteral(
        R"(^2024/12/31 23:00:00 \+0/00:00:0[45] \(off by \+(\d\.\d{3}) s, round trip (\d\.\d{3}) s\)$)"));
    const std::string logged = *Cp932ToUtf8(LoggedBytes());
    EXPECT_TRUE(QRegularExpression(QStringLiteral(
                    R"(^2024/12/31 23:00:00 \+0/00:00:0[45] \(差 \+\d\.\d{3} 秒, 往復 \d\.\d{3} 秒\)\r\n$)"))
                    .match(QString::fromStdString(logged))
                    .hasMatch())
        << logged;
    EXPECT_NE(logged.find(QString::number(offset, 'f', 3).toStdString()), std::string::npos);
    EXPECT_GE(roundTrip, 0.0);
}

TEST_F(ClockPageNtpTest, WhereATimeServiceKeepsTheClockTheOffsetIsOnlyReported) {
    clockService_.State.Enabled = true;
    Control<QCheckBox>("MsgCheckBox")->setChecked(true);
    ServeNtp(NtpTestServer::Honest());
    QSignalSpy clockSet(page_.get(), &ClockPage::ClockSet);
    page_->GetTimeButtonClick();
    EXPECT_TRUE(clockService_.Shifts.empty());
    EXPECT_EQ(clockSet.count(), 0);
    const auto [offset, roundTrip] = Figures(QStringLiteral(
        R"(^2024/12/31 22:59:55 自動時刻合わせ中: サーバーとの差 \+(\d\.\d{3}) 秒 \(往復 (\d\.\d{3}) 秒\)$)"));
    EXPECT_LE(std::abs(offset - 5.0), roundTrip / 2 + 0.001);
    const QString message = TakeMessage();
    EXPECT_TRUE(message.startsWith(QStringLiteral(
        "Rimotime Information|自動時刻合わせが有効なため、時計は変更していません。\nサーバーとの差 "
        "+")))
        << message.toStdString();
    EXPECT_EQ(LoggedBytes(), *Utf8ToCp932(page_->ResultLines()[0].toStdString()) + "\r\n");

    // Refused by timedated for the same reason: the same report. A daytime
    // server 2.5 seconds ahead.
    clockService_.State.Enabled = false;
    clockService_.Refusal = "Automatic time synchronization is enabled";
    clockService_.RefusedAsKept = true;
    Control<QCheckBox>("MsgCheckBox")->setChecked(false);
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    page_->GetTimeButtonClick();
    EXPECT_EQ(MessageBoxes().size(), 0);
    EXPECT_EQ(clockService_.Shifts, std::vector<std::int64_t>{2'500'000});
    EXPECT_EQ(page_->ResultLines().value(1),
              QStringLiteral("2024/12/31 22:59:55 自動時刻合わせ中: サーバーとの差 +2.500 秒"));
}

TEST_F(ClockPageNtpTest, EveryRefusalIsSaidOnTheFailuresSecondLine) {
    Control<QSpinBox>("SpinEdit1")->setValue(300); // the stray datagrams wait for it
    const auto at = [](int year) {
        return UtcToUnixMs(EncodeDate(year, 6, 1)) * 1'000'000 - NtpTestServer::NowNs();
    };
    const auto changed = &NtpTestServer::Changed;
    struct Case {
        NtpTestServer::Handler Handler;
        std::int64_t Offset;
        QString Reason;
    };
    const Case cases[] = {
        {changed([](NtpPacket& p) { p.Leap = 3; }), kFiveSeconds,
         QStringLiteral("サーバー自身の時刻が合わせられていません（うるう秒指示子 3、階層 2）。")},
        {changed([](NtpPacket& p) { p.Mode = 5; }), kFiveSeconds,
         QStringLiteral("サーバーからの応答ではありません（モード 5）。")},
        {changed([](NtpPacket& p) { p.Version = 2; }), kFiveSeconds,
         QStringLiteral("NTPのバージョン 2 の応答です（使えるのは3と4です）。")},
        {changed([](NtpPacket& p) { p.Transmit = {}; }), kFiveSeconds,
         QStringLiteral("サーバーの応答に送信時刻がありません。")},
        {changed(
             [](NtpPacket& p) { p.Receive = UnixNsToNtp(NtpTestServer::NowNs() + 7'000'000'000); }),
         kFiveSeconds, QStringLiteral("秒がタイムアウト 300 ミリ秒より長くかかりました。")},
        {changed([](NtpPacket& p) {
             p.Transmit = UnixNsToNtp(NtpTestServer::NowNs() + 5'500'000'000);
         }),
         kFiveSeconds, QStringLiteral("サーバーの時刻が往復時間と矛盾しています（往復 -0.")},
        {NtpTestServer::Honest(), at(2101), QStringLiteral("は 2100 年より後です。")},
        {NtpTestServer::Honest(), at(2023),
         QStringLiteral("は、このプログラムの作成日 2024/01/01 より前です。")},
        // Datagrams passed over while waiting: the time-out ends the wait.
        {[](const NtpPacket& honest) {
             return Answers{{EncodeNtpPacket(honest), true}};
         },
         kFiveSeconds, QStringLiteral("問い合わせたサーバー以外（127.0.0.1:")},
        {[](const NtpPacket& honest) { return Answers{{EncodeNtpPacket(honest).substr(0, 40)}}; },
         kFiveSeconds,
         QStringLiteral(
             "サーバーの応答が 40 バイトしかありません（NTPの応答は48バイト以上です）。")},
        {changed([](NtpPacket& p) {
             p.Origin = {p.Origin.Seconds + 1, p.Origin.Fraction};
         }),
         kFiveSeconds,
         QStringLiteral(
             "送った要求への応答ではないものが届きました（発信元タイムスタンプが違います）。")},
    };
    for (const Case& refusal : cases) {
        ServeNtp(refusal.Handler, refusal.Offset);
        page_->GetTimeButtonClick();
        const QString message = TakeMessage();
        EXPECT_TRUE(
            message.startsWith(QStringLiteral("Rimotime Information|時刻合わせ失敗しました。\n")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(refusal.Reason)) << message.toStdString();
    }
    EXPECT_TRUE(clockService_.Shifts.empty());
    EXPECT_TRUE(page_->ResultLines().isEmpty());
}

TEST_F(ClockPageNtpTest, AServerThatAsksToBeLeftAloneIsNotAskedAgain) {
    ServeNtp(NtpTestServer::Changed([](NtpPacket& kiss) {
        kiss.Stratum = 0;
        kiss.ReferenceId = 0x44454E59; // DENY
    }));
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(),
              QStringLiteral(
                  "Rimotime Information|時刻合わせ失敗しました。\nサーバーから問い合わせ"
                  "の停止を求められました（DENY）。1440 分間はこのサーバーに問い合わせません。"));
    page_->GetTimeButtonClick();
    EXPECT_EQ(
        TakeMessage(),
        QStringLiteral(
            "Rimotime Information|時刻合わせ失敗しました。\nサーバーから問い合わせ"
            "の停止を求められています（DENY）。あと 1440 分はこのサーバーに問い合わせません。"));
    EXPECT_EQ(ntpServer_->Requests(), 1); // the second request was never sent
    EXPECT_TRUE(clockService_.Shifts.empty());

    // Another server is asked as usual.
    auto held = std::move(ntpServer_);
    ServeNtp(NtpTestServer::Honest());
    page_->GetTimeButtonClick();
    EXPECT_EQ(MessageBoxes().size(), 0);
    EXPECT_EQ(clockService_.Shifts.size(), 1U);
}

TEST_F(ClockPageNtpTest, NetworkFailuresAreShownAsTheDaytimeOnesAre) {
    Control<QLineEdit>("LabeledEdit1")->setText(QStringLiteral("127.0.0.1"));
    page_->NtpClient1().Port = NtpTestServer::ClosedPort();
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(), QStringLiteral("RimoTimeInformation|10061:Connection refused"));
    EXPECT_TRUE(clockService_.Shifts.empty());
}

} // namespace
} // namespace rimo
