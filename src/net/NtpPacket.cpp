#include "net/NtpPacket.h"

namespace rimo {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;
constexpr std::int64_t kEraSeconds = std::int64_t{1} << 32;

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
    }
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

void PutTimestamp(std::string& bytes, std::size_t at, NtpTimestamp timestamp) {
    Put32(bytes, at, timestamp.Seconds);
    Put32(bytes, at + 4, timestamp.Fraction);
}

NtpTimestamp GetTimestamp(std::string_view bytes, std::size_t at) {
    return {Get32(bytes, at), Get32(bytes, at + 4)};
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

} // namespace

std::string EncodeNtpPacket(const NtpPacket& packet) {
    std::string bytes(kNtpHeaderSize, '\0');
    bytes[0] = static_cast<char>(((packet.Leap & 3) << 6) | ((packet.Version & 7) << 3) |
                                 (packet.Mode & 7));
    bytes[1] = static_cast<char>(packet.Stratum);
    bytes[2] = static_cast<char>(packet.Poll);
    bytes[3] = static_cast<char>(packet.Precision);
    Put32(bytes, 4, packet.RootDelay);
    Put32(bytes, 8, packet.RootDispersion);
    Put32(bytes, 12, packet.ReferenceId);
    PutTimestamp(bytes, 16, packet.Reference);
    PutTimestamp(bytes, 24, packet.Origin);
    PutTimestamp(bytes, 32, packet.Receive);
    PutTimestamp(bytes, 40, packet.Transmit);
    return bytes;
}

std::optional<NtpPacket> DecodeNtpPacket(std::string_view bytes) {
    if (bytes.size() < kNtpHeaderSize) {
        return std::nullopt;
    }
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    NtpPacket packet;
    packet.Leap = byte(0) >> 6;
    packet.Version = (byte(0) >> 3) & 7;
    packet.Mode = byte(0) & 7;
    packet.Stratum = byte(1);
    packet.Poll = static_cast<signed char>(byte(2));
    packet.Precision = static_cast<signed char>(byte(3));
    packet.RootDelay = Get32(bytes, 4);
    packet.RootDispersion = Get32(bytes, 8);
    packet.ReferenceId = Get32(bytes, 12);
    packet.Reference = GetTimestamp(bytes, 16);
    packet.Origin = GetTimestamp(bytes, 24);
    packet.Receive = GetTimestamp(bytes, 32);
    packet.Transmit = GetTimestamp(bytes, 40);
    return packet;
}

NtpPacket NtpClientRequest(std::uint64_t cookie) {
    NtpPacket request;
    request.Leap = 0;
    request.Version = 4;
    request.Mode = kNtpModeClient;
    request.Transmit = NtpTimestamp::FromRaw(cookie);
    return request;
}

NtpTimestamp UnixNsToNtp(std::int64_t unixNs) {
    const std::int64_t seconds = FloorDiv(unixNs, kNsPerSecond);
    const auto rest = static_cast<std::uint64_t>(unixNs - seconds * kNsPerSecond);
    return {static_cast<std::uint32_t>(seconds + kNtpUnixEpochSeconds),
            static_cast<std::uint32_t>((rest << 32) / kNsPerSecond)};
}

std::int64_t NtpToUnixNs(NtpTimestamp timestamp, std::int64_t windowStartUnixSeconds) {
    const std::int64_t eraZero = std::int64_t{timestamp.Seconds} - kNtpUnixEpochSeconds;
    const std::int64_t eras =
        FloorDiv(windowStartUnixSeconds - eraZero + kEraSeconds - 1, kEraSeconds);
    const std::int64_t seconds = eraZero + eras * kEraSeconds;
    const auto fraction =
        static_cast<std::int64_t>((std::uint64_t{timestamp.Fraction} * kNsPerSecond) >> 32);
    return seconds * kNsPerSecond + fraction;
}

std::string KissCode(std::uint32_t referenceId) {
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((referenceId >> shift) & 0xFF);
        if (c == '\0') {
            break; // codes shorter than four letters are padded with zeros
        }
        const bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return {};
        }
        code += c;
    }
    return code;
}

} // namespace rimo
