// Daytime replies as a server may send them: any bytes, any length, judged
// against a PC clock near the reply's time and in any zone.
#include "net/BuildDate.h"
#include "net/DayTimeReply.h"
#include "net/SyncDecision.h"
#include "net/SyncResultLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const rimo::DayTimeReading reading = rimo::ReadDayTimeReply(reply);
    Check(reading.Layout == rimo::DetectReplyLayout(reply));
    // The composed text is made of a few short fields, whatever the reply's size.
    Check(reading.Text.size() < 64);
    if (!reading.Utc) {
        Check(reading.Error == rimo::ConversionErrorText(reading.Text));
        return 0;
    }
    Check(reading.Error.IsEmpty() && reading.Written.has_value());
    const rimo::DateParts date = rimo::DecodeDate(*reading.Utc);
    Check(rimo::IsValidDate(date.Year, date.Month, date.Day));
    const rimo::TimeParts time = rimo::DecodeTime(*reading.Utc);
    Check(time.Millisecond == 0);

    // This PC's clock: up to a day around the reply's own time; its zone: -12 to +14 hours.
    unsigned sum = 0;
    for (const std::uint8_t byte : reply) {
        sum = sum * 31 + byte;
    }
    const std::int64_t nowUnixMs = rimo::UtcToUnixMs(*reading.Written) +
                                   (static_cast<std::int64_t>(sum % 2881) - 1440) * 60'000;
    const int zoneSeconds = (static_cast<int>(size % 27) - 12) * 3600;
    const rimo::ZoneOffset zone = [zoneSeconds](std::int64_t) { return zoneSeconds; };
    const rimo::DateTime notBefore = rimo::BuildDate();
    const rimo::SyncDecision decision =
        rimo::DecideClockSetting(reading, rimo::SyncContext{nowUnixMs, zone, notBefore});
    if (!decision.UnixMs) {
        Check(!decision.Refusal.IsEmpty());
        return 0;
    }
    // Whatever is set is plausible, and without a zone never 30 minutes or more off.
    Check(decision.Refusal.IsEmpty());
    Check(!reading.TimeBlank && reading.NistHealth < 2);
    const rimo::DateTime set = rimo::UnixMsToUtc(*decision.UnixMs);
    Check(set >= notBefore && rimo::DecodeDate(set).Year <= rimo::kLatestYear);
    if (!rimo::NamesItsZone(reading.Layout)) {
        Check(std::llabs(*decision.UnixMs - nowUnixMs) < rimo::kUnzonedCorrectionLimitMs);
    } else {
        Check(set == *reading.Utc);
    }
    // The result line can be built from any clock setting.
    Check(!rimo::FormatSyncResultLine(rimo::LocalAt(*decision.UnixMs, zone),
                                      rimo::LocalAt(nowUnixMs, zone))
               .empty());
    return 0;
}
