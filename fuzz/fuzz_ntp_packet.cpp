// NTP replies as a server, or anyone on the way, may send them: any bytes,
// judged against an exchange whose cookie is the reply's own origin when the
// size is even (so that the reading goes past the first checks), with our
// clock near the reply's own times.
#include "net/BuildDate.h"
#include "net/NtpPacket.h"
#include "net/NtpReply.h"
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

constexpr std::int64_t kSecond = 1'000'000'000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rimo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<NtpPacket> packet = DecodeNtpPacket(bytes);
    Check(packet.has_value() == (size >= kNtpHeaderSize));
    if (packet) {
        Check(EncodeNtpPacket(*packet) == bytes.substr(0, kNtpHeaderSize));
    }

    NtpExchange exchange;
    exchange.EraStartUnixSeconds = NtpEraStart(BuildDate());
    exchange.Cookie = packet && size % 2 == 0 ? packet->Origin.Raw() : 0x0123456789ABCDEF;
    unsigned sum = 0;
    for (const std::uint8_t byte : bytes) {
        sum = sum * 31 + byte;
    }
    const std::int64_t near = packet ? NtpToUnixNs(packet->Receive, exchange.EraStartUnixSeconds)
                                     : exchange.EraStartUnixSeconds * kSecond;
    exchange.SentUnixNs = near - static_cast<std::int64_t>(sum % 2000) * 1'000'000;
    exchange.ReceivedUnixNs =
        exchange.SentUnixNs + static_cast<std::int64_t>(sum % 3001) * 1'000'000;
    exchange.TimeOutNs = kSecond;

    const NtpReading reading = ReadNtpReply(bytes, exchange);
    Check(reading.Size == size);
    Check((reading.Fault == NtpFault::TooShort) == !packet);
    if (reading.Fault == NtpFault::KissOfDeath) {
        Check(packet->Stratum == 0 && reading.Kiss.size() <= 4);
        Check(reading.HoldMs == NtpKissHolds::HoldMs(reading.Kiss));
    }
    if (packet) {
        // Every timestamp reads inside the era window, and back to itself.
        const std::int64_t transmit = NtpToUnixNs(packet->Transmit, exchange.EraStartUnixSeconds);
        Check(transmit >= exchange.EraStartUnixSeconds * kSecond);
        Check(transmit < (exchange.EraStartUnixSeconds + (std::int64_t{1} << 32)) * kSecond);
        Check(UnixNsToNtp(transmit).Seconds == packet->Transmit.Seconds);
    }
    if (reading.Fault != NtpFault::None) {
        return 0;
    }
    // Only a sound answer to our request gives a time.
    Check(packet->Origin.Raw() == exchange.Cookie);
    Check(packet->Version >= 3 && packet->Version <= 4 && packet->Mode == kNtpModeServer);
    Check(packet->Stratum >= 1 && packet->Stratum <= 15 && packet->Leap != 3);
    Check(!packet->Transmit.IsZero());
    Check(reading.DelayNs <= exchange.TimeOutNs && reading.DelayNs >= -(kSecond + 1'000'000));
    // The offset, recomputed from the four timestamps in wider arithmetic.
    const std::int64_t t2 = NtpToUnixNs(packet->Receive, exchange.EraStartUnixSeconds);
    const std::int64_t t3 = NtpToUnixNs(packet->Transmit, exchange.EraStartUnixSeconds);
    const __int128 twice =
        static_cast<__int128>(t2) - exchange.SentUnixNs + t3 - exchange.ReceivedUnixNs;
    const __int128 error = twice - 2 * static_cast<__int128>(reading.OffsetNs);
    Check(error >= -2 && error <= 2);
    Check(reading.ServerUnixNs == t3);
    Check(!FormatSeconds(reading.OffsetNs, true).empty());
    return 0;
}
