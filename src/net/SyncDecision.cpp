#include "net/SyncDecision.h"

#include "net/SyncResultLine.h"

#include <cstdlib>

namespace rimo {

namespace {

// Milliseconds from 1899-12-30 to the Unix epoch.
const std::int64_t kUnixEpochMs = ToMilliseconds(EncodeDate(1970, 1, 1));

std::int64_t FloorSeconds(std::int64_t ms) {
    return ms >= 0 ? ms / 1000 : -((999 - ms) / 1000);
}

std::string TwoDigits(std::int64_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// The UTC moment of a time written on this PC's clock face: the offset is
// taken at the moment itself (found in two steps around a zone change).
std::int64_t LocalToUnixMs(DateTime written, const SyncContext& context) {
    const std::int64_t wallUnixMs = UtcToUnixMs(written);
    std::int64_t unixMs =
        wallUnixMs - std::int64_t{context.LocalOffset(FloorSeconds(wallUnixMs))} * 1000;
    unixMs = wallUnixMs - std::int64_t{context.LocalOffset(FloorSeconds(unixMs))} * 1000;
    return unixMs;
}

// Zones lie a whole quarter of an hour apart (India and Nepal, Sydney and
// Lord Howe): a correction that close to a quarter-hour step is a server in
// another zone, not a clock that has drifted.
bool LooksLikeAnotherZone(std::int64_t correctionMs) {
    constexpr std::int64_t kQuarterHourMs = 15 * 60 * 1000;
    const std::int64_t distance = std::llabs(correctionMs);
    const std::int64_t nearestStep = (distance + kQuarterHourMs / 2) / kQuarterHourMs;
    return nearestStep > 0 &&
           std::llabs(distance - nearestStep * kQuarterHourMs) < kZoneStepToleranceMs;
}

SyncDecision Refuse(Message why) {
    return SyncDecision{std::nullopt, std::move(why)};
}

// The time shown in a refusal: "2019/01/01 0:00:00 (UTC)".
std::string ShownUtc(std::int64_t unixMs) {
    return FormatResultDateTime(UnixMsToUtc(unixMs)) + " (UTC)";
}

SyncDecision InRange(std::int64_t unixMs, const SyncContext& context) {
    const DateTime utc = UnixMsToUtc(unixMs);
    if (utc < DateOf(context.NotBefore)) {
        return Refuse(Translatable("rimo::SyncDecision",
                                   "サーバーの時刻 %1 は、このプログラムの作成日 %2 より前です。")
                          .Arg(ShownUtc(unixMs))
                          .Arg(FormatShortDate(context.NotBefore)));
    }
    if (DecodeDate(utc).Year > kLatestYear) {
        return Refuse(Translatable("rimo::SyncDecision", "サーバーの時刻 %1 は %2 年より後です。")
                          .Arg(ShownUtc(unixMs))
                          .Arg(kLatestYear));
    }
    return SyncDecision{unixMs, {}};
}

} // namespace

std::int64_t UtcToUnixMs(DateTime utc) {
    return ToMilliseconds(utc) - kUnixEpochMs;
}

DateTime UnixMsToUtc(std::int64_t unixMs) {
    return FromMilliseconds(unixMs + kUnixEpochMs);
}

DateTime LocalAt(std::int64_t unixMs, const ZoneOffset& zone) {
    return UnixMsToUtc(unixMs + std::int64_t{zone(FloorSeconds(unixMs))} * 1000);
}

Message FormatDistance(std::int64_t ms) {
    const std::int64_t minutes = (std::llabs(ms) + 30'000) / 60'000; // to the nearest minute
    const std::int64_t days = minutes / 1440;
    const std::int64_t hours = minutes / 60 % 24;
    if (days == 0 && hours == 0) {
        return Translatable("rimo::SyncDecision", "%1分").Arg(minutes);
    }
    if (days == 0) {
        return Translatable("rimo::SyncDecision", "%1時間%2分")
            .Arg(hours)
            .Arg(TwoDigits(minutes % 60));
    }
    return Translatable("rimo::SyncDecision", "%1日%2時間%3分")
        .Arg(days)
        .Arg(hours)
        .Arg(TwoDigits(minutes % 60));
}

SyncDecision DecideClockSetting(const DayTimeReading& reading, const SyncContext& context) {
    if (!reading.Utc || !reading.Written) {
        return Refuse(reading.Error);
    }
    if (reading.TimeBlank) {
        return Refuse(Translatable("rimo::SyncDecision",
                                   "サーバーの応答に時刻がありません（日付だけです）。"));
    }
    if (reading.NistHealth >= 2) {
        return Refuse(Translatable("rimo::SyncDecision",
                                   "サーバー自身の時刻に5秒を超える誤差のおそれがあると"
                                   "応答されました（状態 %1）。")
                          .Arg(reading.NistHealth));
    }
    const std::int64_t readUnixMs = UtcToUnixMs(*reading.Utc);
    if (NamesItsZone(reading.Layout)) {
        return InRange(readUnixMs, context);
    }
    // No zone: of the two readings (UTC-4, this PC's zone) the one nearer to
    // this PC's clock; in a half-hour zone the UTC-4 reading can come within
    // the limit while the PC's own is exact.
    const std::int64_t localUnixMs = LocalToUnixMs(*reading.Written, context);
    const std::int64_t nearest =
        std::llabs(localUnixMs - context.NowUnixMs) <= std::llabs(readUnixMs - context.NowUnixMs)
            ? localUnixMs
            : readUnixMs;
    const std::int64_t correction = nearest - context.NowUnixMs;
    if (std::llabs(correction) < kUnzonedCorrectionLimitMs && !LooksLikeAnotherZone(correction)) {
        return InRange(nearest, context);
    }
    if (const SyncDecision local = InRange(localUnixMs, context); !local.UnixMs) {
        return local; // an implausible time says more than the distance
    }
    return Refuse(Translatable("rimo::SyncDecision",
                               "サーバーの応答にタイムゾーンがなく、このPCの時計と%1ずれています。")
                      .Arg(FormatDistance(correction)));
}

SyncDecision CheckServerTime(std::int64_t unixMs, const SyncContext& context) {
    return InRange(unixMs, context);
}

} // namespace rimo
