#include "net/NtpClient.h"

#include "net/NtpTestServer.h"
#include "net/SockExceptions.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace rimo {
namespace {

using test::NtpTestServer;
using Answers = std::vector<NtpTestServer::Answer>;

constexpr std::int64_t kFiveSeconds = 5'000'000'000;

class NtpClientTest : public ::testing::Test {
protected:
    void Serve(NtpTestServer::Handler handler, std::int64_t offsetNs = kFiveSeconds) {
        server_ = std::make_unique<NtpTestServer>(std::move(handler), offsetNs);
        client_.Host = "127.0.0.1";
        client_.Port = server_->Port();
        client_.TimeOut = 1000;
    }
    std::string ErrorOf() {
        try {
            client_.GetNtpTime();
        } catch (const ESockError& error) {
            return error.what();
        }
        return "no error";
    }

    TNtpClient client_;
    std::unique_ptr<NtpTestServer> server_;
};

// The true offset lies within half the round trip of the measured one: the
// four timestamps are taken in the order they happen.
void ExpectOffsetNear(const NtpReading& reading, std::int64_t truthNs) {
    ASSERT_EQ(reading.Fault, NtpFault::None);
    EXPECT_GE(reading.DelayNs, 0);
    EXPECT_LE(std::llabs(reading.OffsetNs - truthNs), reading.DelayNs / 2 + 2)
        << "offset " << reading.OffsetNs << " round trip " << reading.DelayNs;
}

TEST_F(NtpClientTest, MeasuresTheServersClockWithARandomCookie) {
    Serve(NtpTestServer::Honest());
    ExpectOffsetNear(client_.GetNtpTime(), kFiveSeconds);
    ExpectOffsetNear(client_.GetNtpTime(), kFiveSeconds);
    const std::vector<std::string> requests = server_->Received();
    ASSERT_EQ(requests.size(), 2U);
    for (const std::string& request : requests) {
        ASSERT_EQ(request.size(), 48U);
        EXPECT_EQ(request[0], '\x23'); // no leap warning, version 4, client
        EXPECT_EQ(request.substr(1, 39), std::string(39, '\0')); // nothing of our clock
    }
    EXPECT_NE(requests[0].substr(40), requests[1].substr(40));
    EXPECT_NE(requests[0].substr(40), std::string(8, '\0'));
}

TEST_F(NtpClientTest, StrayDatagramsArePassedOverForTheServersReply) {
    Serve([](const NtpPacket& honest) {
        NtpPacket stale = honest;
        stale.Origin = {1, 2};
        const std::string good = EncodeNtpPacket(honest);
        return Answers{{good, true}, {good.substr(0, 47)}, {EncodeNtpPacket(stale)}, {good}};
    });
    ExpectOffsetNear(client_.GetNtpTime(), kFiveSeconds);
}

TEST_F(NtpClientTest, AClosedPortFailsAtOnceAndSilenceAtTheTimeOut) {
    client_.Host = "127.0.0.1";
    client_.Port = NtpTestServer::ClosedPort();
    client_.TimeOut = 60'000;
    EXPECT_EQ(ErrorOf(), "10061:Connection refused");

    Serve([](const NtpPacket&) { return Answers{}; });
    client_.TimeOut = 200;
    EXPECT_EQ(ErrorOf(), "10060:Connection timed out");
    EXPECT_EQ(server_->Requests(), 1);
}

TEST_F(NtpClientTest, AnExchangeAskedForDuringAnotherIsRefused) {
    Serve([](const NtpPacket& honest) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return Answers{{EncodeNtpPacket(honest)}};
    });
    std::string second;
    QTimer::singleShot(20, [&] { second = ErrorOf(); });
    ExpectOffsetNear(client_.GetNtpTime(), kFiveSeconds);
    EXPECT_EQ(second, "10037:Operation already in progress");
    EXPECT_EQ(server_->Requests(), 1);
}

} // namespace
} // namespace rimo
