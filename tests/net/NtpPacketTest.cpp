#include "net/NtpPacket.h"
#include "net/NtpReply.h"
#include "net/SyncResultLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace rimo {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000;
// 2024-12-31 13:59:58 UTC: Unix 1735653598, NTP (era 0) 3944642398 = 0xEB1E775E.
constexpr std::int64_t kUnix2024 = 1'735'653'598;
// The window of a program built in 2025 starts in 1995 (a function: the
// conversion it uses is set up at start-up, like this file's constants).
std::int64_t EraStart() {
    return NtpEraStart(EncodeDate(2025, 1, 1));
}

// Equal to the nanosecond that converting fractions may lose.
void ExpectWithin2Ns(std::int64_t actual, std::int64_t expected) {
    EXPECT_LE(std::llabs(actual - expected), 2) << actual << " vs " << expected;
}

TEST(NtpPacket, IsWrittenInNetworkOrderAndReadBack) {
    NtpPacket packet;
    packet.Leap = 1;
    packet.Version = 4;
    packet.Mode = kNtpModeServer;
    packet.Stratum = 2;
    packet.Poll = 6;
    packet.Precision = -20;
    packet.RootDelay = 0x00010203;
    packet.ReferenceId = 0x7F000001;
    packet.Transmit = {0xEB1E775E, 0x80000000}; // 13:59:58.5
    const std::string bytes = EncodeNtpPacket(packet);
    ASSERT_EQ(bytes.size(), 48U);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x64); // 01 100 100
    EXPECT_EQ(bytes.substr(1, 3), std::string("\x02\x06\xEC", 3));
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x01\x02\x03", 4));
    EXPECT_EQ(bytes.substr(12, 4), std::string("\x7F\x00\x00\x01", 4));
    EXPECT_EQ(bytes.substr(40, 8), std::string("\xEB\x1E\x77\x5E\x80\x00\x00\x00", 8));
    EXPECT_EQ(DecodeNtpPacket(bytes), packet);
    // Extension fields after the header are not read; a short packet is no packet.
    EXPECT_EQ(DecodeNtpPacket(bytes + std::string(20, '\x7F')), packet);
    EXPECT_FALSE(DecodeNtpPacket(bytes.substr(0, 47)));
}

TEST(NtpPacket, ARequestCarriesOnlyTheCookie) {
    const std::string bytes = EncodeNtpPacket(NtpClientRequest(0x0123456789ABCDEF));
    EXPECT_EQ(bytes, std::string("\x23", 1) + std::string(39, '\0') +
                         std::string("\x01\x23\x45\x67\x89\xAB\xCD\xEF", 8));
}

TEST(NtpPacket, TimestampsAreReadInTheEraOfTheWindow) {
    EXPECT_EQ(NtpToUnixNs({0xEB1E775E, 0x80000000}, EraStart()), kUnix2024 * kSecond + kSecond / 2);
    EXPECT_EQ(UnixNsToNtp(kUnix2024 * kSecond + kSecond / 2),
              (NtpTimestamp{0xEB1E775E, 0x80000000}));
    // Past the end of era 0: 2036-02-07 06:28:16 UTC is second 0 of era 1.
    EXPECT_EQ(NtpToUnixNs({0, 0}, EraStart()), std::int64_t{2'085'978'496} * kSecond);
    EXPECT_EQ(NtpToUnixNs({0xFFFFFFFF, 0}, EraStart()), std::int64_t{2'085'978'495} * kSecond);
    EXPECT_EQ(UnixNsToNtp(std::int64_t{2'085'978'497} * kSecond), (NtpTimestamp{1, 0}));
    // A time before the build day still reads as what it says (2019), so it can be refused.
    EXPECT_EQ(NtpToUnixNs({3'755'289'600U, 0}, EraStart()), std::int64_t{1'546'300'800} * kSecond);
    EXPECT_EQ(EraStart(), 788'918'400 + 86'400); // about 30 years before: 1995-01-02
}

TEST(NtpPacket, KissCodesAreLettersOnly) {
    EXPECT_EQ(KissCode(0x52415445), "RATE");
    EXPECT_EQ(KissCode(0x44454E59), "DENY");
    EXPECT_EQ(KissCode(0x58000000), "X");
    EXPECT_EQ(KissCode(0x7F000001), "");
}

// A reply of a server 5 seconds ahead, 10 ms away each way, that took 1 ms.
class NtpReplyTest : public ::testing::Test {
protected:
    NtpReplyTest() {
        exchange_.Cookie = 0x1122334455667788;
        exchange_.SentUnixNs = kUnix2024 * kSecond;
        exchange_.ReceivedUnixNs = kUnix2024 * kSecond + 21 * kSecond / 1000;
        exchange_.TimeOutNs = kSecond;
        exchange_.EraStartUnixSeconds = EraStart();
        reply_.Version = 4;
        reply_.Mode = kNtpModeServer;
        reply_.Stratum = 2;
        reply_.Precision = -20;
        reply_.Origin = NtpTimestamp::FromRaw(exchange_.Cookie);
        reply_.Receive = UnixNsToNtp(kUnix2024 * kSecond + 5'010 * kSecond / 1000);
        reply_.Transmit = UnixNsToNtp(kUnix2024 * kSecond + 5'011 * kSecond / 1000);
    }
    NtpReading Read() const { return ReadNtpReply(EncodeNtpPacket(reply_), exchange_); }

    NtpExchange exchange_;
    NtpPacket reply_;
};

TEST_F(NtpReplyTest, TheOffsetAndRoundTripComeFromTheFourTimestamps) {
    const NtpReading reading = Read();
    EXPECT_EQ(reading.Fault, NtpFault::None);
    // ((5.010 - 0) + (5.011 - 0.021)) / 2 = 5.000; 0.021 - 0.001 = 0.020 (to the
    // nanosecond the fractions lose).
    ExpectWithin2Ns(reading.OffsetNs, 5 * kSecond);
    ExpectWithin2Ns(reading.DelayNs, 20'000'000);
    ExpectWithin2Ns(reading.ServerUnixNs, kUnix2024 * kSecond + 5'011'000'000);
    EXPECT_EQ(FormatSeconds(reading.OffsetNs, true), "+5.000");
    EXPECT_EQ(FormatSeconds(reading.DelayNs, false), "0.020");
}

TEST_F(NtpReplyTest, EachFaultIsNamed) {
    const auto faultOf = [this](const std::function<void(NtpPacket&)>& change) {
        NtpPacket saved = reply_;
        change(reply_);
        const NtpReading reading = Read();
        reply_ = saved;
        return reading.Fault;
    };
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Origin = {1, 2}; }), NtpFault::NotOurRequest);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Version = 2; }), NtpFault::BadVersion);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Version = 5; }), NtpFault::BadVersion);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Version = 3; }), NtpFault::None);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Mode = 5; }), NtpFault::NotServerMode); // broadcast
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Mode = kNtpModeClient; }), NtpFault::NotServerMode);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Leap = 3; }), NtpFault::Unsynchronised);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Stratum = 16; }), NtpFault::Unsynchronised);
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Leap = 1; }), NtpFault::None); // a leap second today
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Transmit = {}; }), NtpFault::ZeroTransmit);
    // Received 2 s after it answered: a round trip longer than the time-out.
    EXPECT_EQ(faultOf([](NtpPacket& p) { p.Receive = UnixNsToNtp((kUnix2024 + 7) * kSecond); }),
              NtpFault::RoundTripTooLong);
    // Took 30 ms to answer a request that was back in 21: the times contradict.
    EXPECT_EQ(faultOf([](NtpPacket& p) {
                  p.Transmit = UnixNsToNtp(kUnix2024 * kSecond + 5'040 * kSecond / 1000);
              }),
              NtpFault::RoundTripNegative);

    const std::string bytes = EncodeNtpPacket(reply_);
    EXPECT_EQ(ReadNtpReply(bytes.substr(0, 47), exchange_).Fault, NtpFault::TooShort);
    EXPECT_EQ(ReadNtpReply(bytes.substr(0, 47), exchange_).Size, 47U);
    EXPECT_TRUE(IsStrayReply(NtpFault::TooShort));
    EXPECT_TRUE(IsStrayReply(NtpFault::NotOurRequest));
    EXPECT_TRUE(IsStrayReply(NtpFault::WrongSender));
    EXPECT_FALSE(IsStrayReply(NtpFault::Unsynchronised));
}

TEST_F(NtpReplyTest, AKissOfDeathNamesItsCodeAndHold) {
    reply_.Stratum = 0;
    reply_.Leap = 3; // as kiss packets usually are
    reply_.ReferenceId = 0x52415445;
    NtpReading reading = Read();
    EXPECT_EQ(reading.Fault, NtpFault::KissOfDeath);
    EXPECT_EQ(reading.Kiss, "RATE");
    EXPECT_EQ(reading.HoldMs, 10 * 60'000);
    reply_.ReferenceId = 0x494E4954; // INIT: no time yet, but no request to stop
    reading = Read();
    EXPECT_EQ(reading.Kiss, "INIT");
    EXPECT_EQ(reading.HoldMs, 0);
}

TEST(NtpKissHolds, AServerIsLeftAloneUntilItsHoldEnds) {
    NtpKissHolds holds;
    holds.Hold("192.0.2.1:123", "RATE", 1'000);
    holds.Hold("192.0.2.2:123", "DENY", 1'000);
    holds.Hold("192.0.2.3:123", "INIT", 1'000);
    const auto rate = holds.Find("192.0.2.1:123", 61'000);
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->Code, "RATE");
    EXPECT_EQ(rate->RemainingMs, 9 * 60'000);
    EXPECT_FALSE(holds.Find("192.0.2.1:123", 601'000));
    EXPECT_FALSE(holds.Find("192.0.2.1:124", 2'000)); // another port, another server
    EXPECT_EQ(holds.Find("192.0.2.2:123", 1'000 + 23 * 3'600'000)->Code, "DENY");
    EXPECT_EQ(NtpKissHolds::HoldMs("RSTR"), 24 * 3'600'000);
    EXPECT_FALSE(holds.Find("192.0.2.3:123", 1'000));
}

TEST(SyncResultLine, SecondsAreShownToTheMillisecond) {
    EXPECT_EQ(FormatSeconds(3'004'400'000, true), "+3.004");
    EXPECT_EQ(FormatSeconds(-120'000'000, true), "-0.120");
    EXPECT_EQ(FormatSeconds(11'500'000, false), "0.012");
    EXPECT_EQ(FormatSeconds(-400'000, true), "+0.000");
    EXPECT_EQ(FormatSeconds(-86'400'000'000'000, true), "-86400.000");
}

} // namespace
} // namespace rimo
