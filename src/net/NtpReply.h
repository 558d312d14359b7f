#pragma once

#include "core/DateTime.h"
#include "net/NtpPacket.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// Why an NTP reply gives no time.
enum class NtpFault {
    None,
    TooShort,          // fewer than 48 bytes
    NotOurRequest,     // its origin is not the transmit timestamp we sent
    WrongSender,       // from another address or port than the server's
    BadVersion,        // version other than 3 and 4
    NotServerMode,     // mode other than server
    KissOfDeath,       // stratum 0: a kiss code instead of a time
    Unsynchronised,    // leap indicator 3, or stratum 16 and above
    ZeroTransmit,      // no transmit timestamp
    RoundTripTooLong,  // longer than the time-out
    RoundTripNegative, // the server's times contradict ours
    HeldByKiss,        // not asked: the server asked to be left alone for a while
};

// A datagram that may be stray or forged: it is dropped and the wait for the
// server's own reply goes on (it cannot be told from the server's answer).
bool IsStrayReply(NtpFault fault);

// What a reply is judged against.
struct NtpExchange {
    std::uint64_t Cookie = 0;        // the transmit timestamp of our request
    std::int64_t SentUnixNs = 0;     // our clock as the request left
    std::int64_t ReceivedUnixNs = 0; // our clock as the reply came
    std::int64_t TimeOutNs = 0;      // the longest believable round trip
    // Server times are read in the era that starts here (NtpEraStart).
    std::int64_t EraStartUnixSeconds = 0;
};

struct NtpReading {
    NtpFault Fault = NtpFault::None;
    std::size_t Size = 0; // bytes of the datagram
    NtpPacket Packet;
    std::string Kiss;        // the kiss code (KissOfDeath, HeldByKiss)
    std::int64_t HoldMs = 0; // how long requests to the server stop (KissOfDeath, HeldByKiss)
    std::string Sender;      // where the datagram came from (WrongSender)
    // With no fault: the server's clock minus ours, the round trip, and the
    // server's transmit time.
    std::int64_t OffsetNs = 0;
    std::int64_t DelayNs = 0;
    std::int64_t ServerUnixNs = 0;
};

// The era window of server times: from 30 years before the build day, so
// that a server's time before the build day reads as such (and is refused),
// and times up to 2130 read right, past 2036.
std::int64_t NtpEraStart(DateTime notBefore);

// Judges one datagram from the server. The offset and round trip come from
// the four timestamps: ours as the request left and the reply came, the
// server's as it received and answered.
NtpReading ReadNtpReply(std::string_view bytes, const NtpExchange& exchange);

// Servers that answered with a kiss-o'-death asking to be left alone: no
// request goes to them until their hold ends. Times are of a clock that the
// wall clock's setting does not move.
class NtpKissHolds {
public:
    struct Held {
        std::string Code;
        std::int64_t RemainingMs = 0;
    };

    // RATE: ten minutes; DENY and RSTR: a day; other codes: no hold.
    static std::int64_t HoldMs(std::string_view code);
    void Hold(const std::string& server, const std::string& code, std::int64_t nowMs);
    std::optional<Held> Find(const std::string& server, std::int64_t nowMs) const;

private:
    struct Entry {
        std::string Code;
        std::int64_t UntilMs = 0;
    };
    std::map<std::string, Entry> holds_;
};

} // namespace rimo
