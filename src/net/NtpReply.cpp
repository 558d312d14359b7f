#include "net/NtpReply.h"

#include "net/SyncDecision.h"

#include <algorithm>

namespace rimo {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;
constexpr std::int64_t kEraLeadSeconds = 30 * 365 * 86'400 + 7 * 86'400; // 30 years

// The server's clock reading cannot be finer than its precision (2^p seconds,
// p at most 0 here): its processing time may look that much longer than our
// round trip, but no more.
std::int64_t NegativeRoundTripAllowance(int precision) {
    const int p = std::clamp(precision, -30, 0);
    return kNsPerMs + (std::int64_t{1'000'000'000} >> -p);
}

NtpReading Fault(NtpReading reading, NtpFault fault) {
    reading.Fault = fault;
    return reading;
}

} // namespace

bool IsStrayReply(NtpFault fault) {
    return fault == NtpFault::TooShort || fault == NtpFault::NotOurRequest ||
           fault == NtpFault::WrongSender;
}

std::int64_t NtpEraStart(DateTime notBefore) {
    return UtcToUnixMs(notBefore) / 1000 - kEraLeadSeconds;
}

NtpReading ReadNtpReply(std::string_view bytes, const NtpExchange& exchange) {
    NtpReading reading;
    reading.Size = bytes.size();
    const std::optional<NtpPacket> packet = DecodeNtpPacket(bytes);
    if (!packet) {
        return Fault(reading, NtpFault::TooShort);
    }
    reading.Packet = *packet;
    if (packet->Origin.Raw() != exchange.Cookie) {
        return Fault(reading, NtpFault::NotOurRequest);
    }
    if (packet->Version < 3 || packet->Version > 4) {
        return Fault(reading, NtpFault::BadVersion);
    }
    if (packet->Mode != kNtpModeServer) {
        return Fault(reading, NtpFault::NotServerMode);
    }
    if (packet->Stratum == 0) {
        reading.Kiss = KissCode(packet->ReferenceId);
        reading.HoldMs = NtpKissHolds::HoldMs(reading.Kiss);
        return Fault(reading, NtpFault::KissOfDeath);
    }
    if (packet->Leap == 3 || packet->Stratum >= 16) {
        return Fault(reading, NtpFault::Unsynchronised);
    }
    if (packet->Transmit.IsZero()) {
        return Fault(reading, NtpFault::ZeroTransmit);
    }

    const std::int64_t t1 = exchange.SentUnixNs;
    const std::int64_t t2 = NtpToUnixNs(packet->Receive, exchange.EraStartUnixSeconds);
    const std::int64_t t3 = NtpToUnixNs(packet->Transmit, exchange.EraStartUnixSeconds);
    const std::int64_t t4 = exchange.ReceivedUnixNs;
    // Halves first: the differences may span a century when a clock is far off.
    reading.OffsetNs = (t2 - t1) / 2 + (t3 - t4) / 2;
    reading.DelayNs = (t4 - t1) - (t3 - t2);
    reading.ServerUnixNs = t3;
    if (reading.DelayNs > exchange.TimeOutNs) {
        return Fault(reading, NtpFault::RoundTripTooLong);
    }
    if (reading.DelayNs < -NegativeRoundTripAllowance(packet->Precision)) {
        return Fault(reading, NtpFault::RoundTripNegative);
    }
    return reading;
}

std::int64_t NtpKissHolds::HoldMs(std::string_view code) {
    if (code == "RATE") {
        return 10 * 60'000;
    }
    if (code == "DENY" || code == "RSTR") {
        return 24 * 3'600'000;
    }
    return 0;
}

void NtpKissHolds::Hold(const std::string& server, const std::string& code, std::int64_t nowMs) {
    const std::int64_t hold = HoldMs(code);
    if (hold > 0) {
        holds_[server] = Entry{code, nowMs + hold};
    }
}

std::optional<NtpKissHolds::Held> NtpKissHolds::Find(const std::string& server,
                                                     std::int64_t nowMs) const {
    const auto found = holds_.find(server);
    if (found == holds_.end() || nowMs >= found->second.UntilMs) {
        return std::nullopt;
    }
    return Held{found->second.Code, found->second.UntilMs - nowMs};
}

} // namespace rimo
