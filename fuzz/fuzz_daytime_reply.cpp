// Daytime replies as a server may send them: any bytes, any length.
#include "net/DayTimeReply.h"
#include "net/SyncResultLine.h"

#include <cstddef>
#include <cstdint>
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
    Check(reading.Error.empty());
    const rimo::DateParts date = rimo::DecodeDate(*reading.Utc);
    Check(rimo::IsValidDate(date.Year, date.Month, date.Day));
    const rimo::TimeParts time = rimo::DecodeTime(*reading.Utc);
    Check(time.Millisecond == 0);
    // The result line can be built from any readable reply.
    Check(!rimo::FormatSyncResultLine(*reading.Utc, rimo::EncodeDate(2025, 1, 1)).empty());
    return 0;
}
