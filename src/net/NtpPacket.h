#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// NTP's 64-bit timestamp: seconds since 1900-01-01 modulo 2^32 (one era is
// 136 years; the first ends in February 2036) and a binary fraction.
struct NtpTimestamp {
    std::uint32_t Seconds = 0;
    std::uint32_t Fraction = 0;

    std::uint64_t Raw() const { return (std::uint64_t{Seconds} << 32) | Fraction; }
    static NtpTimestamp FromRaw(std::uint64_t raw) {
        return {static_cast<std::uint32_t>(raw >> 32), static_cast<std::uint32_t>(raw)};
    }
    bool IsZero() const { return Raw() == 0; }
    bool operator==(const NtpTimestamp&) const = default;
};

// The 48-byte NTP header; extension fields and authenticators after it are
// not read.
struct NtpPacket {
    int Leap = 0; // 0 no warning, 1 and 2 a leap second today, 3 unsynchronised
    int Version = 4;
    int Mode = 3;    // 3 client, 4 server
    int Stratum = 0; // 0 kiss-o'-death, 1 primary, ..., 16 and above unsynchronised
    int Poll = 0;
    int Precision = 0; // log2 of seconds
    std::uint32_t RootDelay = 0;
    std::uint32_t RootDispersion = 0;
    std::uint32_t ReferenceId = 0; // four ASCII letters (the kiss code) at stratum 0
    NtpTimestamp Reference;
    NtpTimestamp Origin;
    NtpTimestamp Receive;
    NtpTimestamp Transmit;

    bool operator==(const NtpPacket&) const = default;
};

constexpr std::size_t kNtpHeaderSize = 48;
constexpr int kNtpModeClient = 3;
constexpr int kNtpModeServer = 4;
// Seconds from 1900-01-01 (NTP's era 0) to 1970-01-01.
constexpr std::int64_t kNtpUnixEpochSeconds = 2'208'988'800;

std::string EncodeNtpPacket(const NtpPacket& packet);
// nullopt for fewer than 48 bytes; the fields are taken as they stand.
std::optional<NtpPacket> DecodeNtpPacket(std::string_view bytes);

// A client request: version 4, client mode, everything zero but the transmit
// timestamp, which carries `cookie`, a random number rather than our clock:
// the reply must echo it as its origin, and our clock stays our own.
NtpPacket NtpClientRequest(std::uint64_t cookie);

// Nanoseconds since the Unix epoch as an NTP timestamp (in its era).
NtpTimestamp UnixNsToNtp(std::int64_t unixNs);
// The Unix time of a timestamp in the era that puts it at or after
// `windowStartUnixSeconds` and less than 2^32 seconds after it.
std::int64_t NtpToUnixNs(NtpTimestamp timestamp, std::int64_t windowStartUnixSeconds);

// The reference identifier as four ASCII letters or digits ("RATE"), as kiss
// codes are written; empty when it is not such a text.
std::string KissCode(std::uint32_t referenceId);

} // namespace rimo
