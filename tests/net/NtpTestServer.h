#pragma once

// An NTP server of the tests' own on 127.0.0.1 (a free UDP port), answering
// on a thread of its own so that the client under test runs its event loop
// undisturbed. For each request the handler gets the reply an honest server
// whose clock runs `offsetNs` ahead of this machine's would send, and says
// what is sent: any bytes, from the server's port or from another one.

#include "net/NtpPacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rimo::test {

class NtpTestServer {
public:
    struct Answer {
        std::string Bytes;
        bool FromOtherPort = false;
    };
    using Handler = std::function<std::vector<Answer>(const NtpPacket& honest)>;

    explicit NtpTestServer(Handler handler, std::int64_t offsetNs = 0)
        : handler_(std::move(handler)), offsetNs_(offsetNs) {
        socket_ = Bound();
        other_ = Bound();
        sockaddr_in address{};
        socklen_t length = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~NtpTestServer() {
        stop_ = true;
        thread_.join();
        ::close(socket_);
        ::close(other_);
    }
    NtpTestServer(const NtpTestServer&) = delete;
    NtpTestServer& operator=(const NtpTestServer&) = delete;

    // An honest server `offsetNs` ahead.
    static Handler Honest() {
        return
            [](const NtpPacket& honest) { return std::vector<Answer>{{EncodeNtpPacket(honest)}}; };
    }

    // The honest reply, changed.
    static Handler Changed(std::function<void(NtpPacket&)> change) {
        return [change](const NtpPacket& honest) {
            NtpPacket reply = honest;
            change(reply);
            return std::vector<Answer>{{EncodeNtpPacket(reply)}};
        };
    }

    int Port() const { return port_; }
    int Requests() const { return requests_; }
    std::vector<std::string> Received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

    static std::int64_t NowNs() {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
    }
    // A UDP port on 127.0.0.1 where nothing listens.
    static int ClosedPort() {
        const int probe = Bound();
        sockaddr_in address{};
        socklen_t length = sizeof address;
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(probe);
        return ntohs(address.sin_port);
    }

private:
    static int Bound() {
        const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address);
        return handle;
    }

    void Serve() {
        while (!stop_) {
            pollfd state{socket_, POLLIN, 0};
            if (::poll(&state, 1, 20) <= 0) {
                continue;
            }
            char data[2048];
            sockaddr_in from{};
            socklen_t length = sizeof from;
            const ssize_t size = ::recvfrom(socket_, data, sizeof data, 0,
                                            reinterpret_cast<sockaddr*>(&from), &length);
            const std::int64_t receivedNs = NowNs() + offsetNs_;
            if (size <= 0) {
                continue;
            }
            ++requests_;
            const std::string request(data, static_cast<std::size_t>(size));
            {
                std::lock_guard<std::mutex> lock(mutex_);
                received_.push_back(request);
            }
            NtpPacket honest;
            honest.Leap = 0;
            honest.Version = 4;
            honest.Mode = kNtpModeServer;
            honest.Stratum = 2;
            honest.Precision = -20;
            honest.ReferenceId = 0xC0000201; // 192.0.2.1
            if (const auto asked = DecodeNtpPacket(request)) {
                honest.Origin = asked->Transmit;
            }
            honest.Reference = UnixNsToNtp(receivedNs - 60'000'000'000);
            honest.Receive = UnixNsToNtp(receivedNs);
            honest.Transmit = UnixNsToNtp(NowNs() + offsetNs_);
            for (const Answer& answer : handler_(honest)) {
                ::sendto(answer.FromOtherPort ? other_ : socket_, answer.Bytes.data(),
                         answer.Bytes.size(), 0, reinterpret_cast<const sockaddr*>(&from),
                         sizeof from);
            }
        }
    }

    Handler handler_;
    std::int64_t offsetNs_;
    int socket_ = -1;
    int other_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::mutex mutex_;
    std::vector<std::string> received_;
    std::thread thread_;
};

} // namespace rimo::test
