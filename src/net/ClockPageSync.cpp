// The clock page's measurement against the server (daytime or NTP) and what
// follows from it: the clock set, or the offset reported where a time
// service keeps the clock.
#include "net/ClockPage.h"

#include "net/DayTimeClient.h"
#include "net/DayTimeReply.h"
#include "net/NtpClient.h"
#include "net/SyncDecision.h"
#include "net/SyncResultLine.h"
#include "platform/Clock.h"
#include "platform/ClockService.h"
#include "platform/TimeZone.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QSpinBox>

#include <exception>

namespace rimo {

namespace {

// Result lines: the existing layout, then the figures.
const char* const kSetLine = QT_TRANSLATE_NOOP("ClockPage", "%1 (差 %2 秒)");
const char* const kSetLineNtp = QT_TRANSLATE_NOOP("ClockPage", "%1 (差 %2 秒, 往復 %3 秒)");
const char* const kMeasuredLine =
    QT_TRANSLATE_NOOP("ClockPage", "%1 自動時刻合わせ中: サーバーとの差 %2 秒");
const char* const kMeasuredLineNtp =
    QT_TRANSLATE_NOOP("ClockPage", "%1 自動時刻合わせ中: サーバーとの差 %2 秒 (往復 %3 秒)");

// A result line as shown (translated) and as logged (the source text: the
// log is the same whatever the language).
struct LineTexts {
    QString Shown;
    QString Logged;
};

LineTexts Compose(const char* source, const QStringList& arguments) {
    LineTexts texts{QCoreApplication::translate("ClockPage", source), QString::fromUtf8(source)};
    for (const QString& argument : arguments) {
        texts.Shown = texts.Shown.arg(argument);
        texts.Logged = texts.Logged.arg(argument);
    }
    return texts;
}

std::int64_t RoundedDivision(std::int64_t value, std::int64_t divisor) {
    return (value >= 0 ? value + divisor / 2 : value - divisor / 2) / divisor;
}

ZoneOffset OffsetsOf(const TimeZone& zone) {
    return [&zone](std::int64_t seconds) { return zone.OffsetSeconds(seconds); };
}

QString Seconds(std::int64_t nanoseconds, bool withSign) {
    return QString::fromStdString(FormatSeconds(nanoseconds, withSign));
}

// `start`, then the figures of a measurement: the round trip's template
// when there is one (NTP).
LineTexts FiguresLine(const char* withoutRoundTrip, const char* withRoundTrip, const QString& start,
                      std::int64_t offsetNs, std::optional<std::int64_t> roundTripNs) {
    const QString difference = Seconds(offsetNs, true);
    return roundTripNs ? Compose(withRoundTrip, {start, difference, Seconds(*roundTripNs, false)})
                       : Compose(withoutRoundTrip, {start, difference});
}

QString Minutes(std::int64_t ms) {
    return QString::number((ms + 59'999) / 60'000);
}

// Why an NTP reply sets nothing, for the failure's second line.
QString NtpRefusalText(const NtpReading& reading, int timeOutMs) {
    const NtpPacket& packet = reading.Packet;
    const QString kiss =
        reading.Kiss.empty() ? QStringLiteral("?") : QString::fromStdString(reading.Kiss);
    switch (reading.Fault) {
    case NtpFault::None:
        break;
    case NtpFault::TooShort:
        return ClockPage::tr(
                   "サーバーの応答が %1 バイトしかありません（NTPの応答は48バイト以上です）。")
            .arg(reading.Size);
    case NtpFault::NotOurRequest:
        return ClockPage::tr(
            "送った要求への応答ではないものが届きました（発信元タイムスタンプが違います）。");
    case NtpFault::WrongSender:
        return ClockPage::tr("問い合わせたサーバー以外（%1）から応答が届きました。")
            .arg(QString::fromStdString(reading.Sender));
    case NtpFault::BadVersion:
        return ClockPage::tr("NTPのバージョン %1 の応答です（使えるのは3と4です）。")
            .arg(packet.Version);
    case NtpFault::NotServerMode:
        return ClockPage::tr("サーバーからの応答ではありません（モード %1）。").arg(packet.Mode);
    case NtpFault::KissOfDeath:
        if (reading.HoldMs > 0) {
            return ClockPage::tr("サーバーから問い合わせの停止を求められました（%1）。%2 "
                                 "分間はこのサーバーに問い合わせません。")
                .arg(kiss, Minutes(reading.HoldMs));
        }
        return ClockPage::tr("サーバーが時刻を返しませんでした（%1）。").arg(kiss);
    case NtpFault::HeldByKiss:
        return ClockPage::tr("サーバーから問い合わせの停止を求められています（%1）。あと %2 "
                             "分はこのサーバーに問い合わせません。")
            .arg(kiss, Minutes(reading.HoldMs));
    case NtpFault::Unsynchronised:
        return ClockPage::tr(
                   "サーバー自身の時刻が合わせられていません（うるう秒指示子 %1、階層 %2）。")
            .arg(packet.Leap)
            .arg(packet.Stratum);
    case NtpFault::ZeroTransmit:
        return ClockPage::tr("サーバーの応答に送信時刻がありません。");
    case NtpFault::RoundTripTooLong:
        return ClockPage::tr("往復時間 %1 秒がタイムアウト %2 ミリ秒より長くかかりました。")
            .arg(Seconds(reading.DelayNs, false))
            .arg(timeOutMs);
    case NtpFault::RoundTripNegative:
        return ClockPage::tr("サーバーの時刻が往復時間と矛盾しています（往復 %1 秒）。")
            .arg(Seconds(reading.DelayNs, true));
    }
    return {};
}

} // namespace

std::optional<ClockPage::Measurement> ClockPage::MeasureDayTime() {
    std::string reply;
    try {
        reply = client_->GetDayTime();
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
        return std::nullopt;
    }
    const DayTimeReading reading = ReadDayTimeReply(reply);
    if (!reading.Utc) {
        ShowError(QString::fromUtf8(reading.Error));
        return std::nullopt;
    }
    const std::int64_t nowUnixMs = services_.Now.UnixMilliseconds();
    const ZoneOffset offset = OffsetsOf(services_.Zone);
    const SyncDecision decision =
        DecideClockSetting(reading, SyncContext{nowUnixMs, offset, services_.NotBefore});
    if (!decision.UnixMs) {
        ShowFailure(QString::fromStdString(decision.Refusal));
        return std::nullopt;
    }
    return Measurement{(*decision.UnixMs - nowUnixMs) * 1'000'000, std::nullopt};
}

std::optional<ClockPage::Measurement> ClockPage::MeasureNtp() {
    NtpReading reading;
    try {
        reading = ntpClient_->GetNtpTime();
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
        return std::nullopt;
    }
    if (reading.Fault != NtpFault::None) {
        ShowFailure(NtpRefusalText(reading, ntpClient_->TimeOut));
        return std::nullopt;
    }
    // The same bounds as a daytime reply's: never before the build day or after 2100.
    const SyncContext context{services_.Now.UnixMilliseconds(), nullptr, services_.NotBefore};
    const SyncDecision plausible =
        CheckServerTime(RoundedDivision(reading.ServerUnixNs, 1'000'000), context);
    if (!plausible.UnixMs) {
        ShowFailure(QString::fromStdString(plausible.Refusal));
        return std::nullopt;
    }
    return Measurement{reading.OffsetNs, reading.DelayNs};
}

void ClockPage::Apply(const Measurement& measurement) {
    const AutomaticSync automatic = services_.SystemClock.AutomaticSyncState();
    if (automatic.Known && automatic.Enabled) {
        ReportMeasured(measurement);
        return;
    }
    // Local times use the zone's real offset at each moment, daylight saving included.
    const ZoneOffset offset = OffsetsOf(services_.Zone);
    const std::int64_t nowUnixMs = services_.Now.UnixMilliseconds();
    const std::int64_t newUnixMs = nowUnixMs + RoundedDivision(measurement.OffsetNs, 1'000'000);
    const QString line = QString::fromStdString(
        FormatSyncResultLine(LocalAt(newUnixMs, offset), LocalAt(nowUnixMs, offset)));

    const ClockSetResult set =
        services_.SystemClock.ShiftSystemTime(RoundedDivision(measurement.OffsetNs, 1000));
    if (set.Outcome == ClockSetOutcome::KeptBySystem) {
        ReportMeasured(measurement);
        return;
    }
    if (set.Outcome == ClockSetOutcome::Refused) {
        ShowFailure(QString::fromStdString(set.Reason));
        return;
    }
    result_ = {};
    result_.Clock = ClockFigure{measurement.OffsetNs, true};
    const LineTexts texts =
        FiguresLine(kSetLine, kSetLineNtp, line, measurement.OffsetNs, measurement.RoundTripNs);
    AddResultLine(texts.Shown, texts.Logged);
    Q_EMIT ClockSet();
    if (msgCheckBox_->isChecked()) {
        ShowNotice(QStringLiteral("時刻合わせ完了しました。"));
    }
}

void ClockPage::ReportMeasured(const Measurement& measurement) {
    result_ = {};
    result_.Clock = ClockFigure{measurement.OffsetNs, false};
    const QString now = QString::fromStdString(
        FormatResultDateTime(LocalAt(services_.Now.UnixMilliseconds(), OffsetsOf(services_.Zone))));
    const LineTexts texts = FiguresLine(kMeasuredLine, kMeasuredLineNtp, now, measurement.OffsetNs,
                                        measurement.RoundTripNs);
    AddResultLine(texts.Shown, texts.Logged);
    if (msgCheckBox_->isChecked()) {
        ShowNotice(tr("自動時刻合わせが有効なため、時計は変更していません。\nサーバーとの差 %1 秒")
                       .arg(Seconds(measurement.OffsetNs, true)));
    }
}

} // namespace rimo
