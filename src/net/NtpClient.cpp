#include "net/NtpClient.h"

#include "net/SockExceptions.h"
#include "net/SocketErrors.h"

#include <QScopedValueRollback>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <ctime>
#include <linux/errqueue.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <limits>
#include <random>

namespace rimo {

namespace {

std::int64_t ClockNs(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// The holds run on a clock that setting the wall clock does not move.
std::int64_t HoldClockMs() {
    return ClockNs(CLOCK_BOOTTIME) / 1'000'000;
}

// A fresh random transmit timestamp for each request: a reply that does not
// echo it answers someone else (or no one).
std::uint64_t NewCookie() {
    static std::random_device source;
    std::uint64_t cookie = 0;
    while (cookie == 0) {
        cookie = (std::uint64_t{source()} << 32) | source();
    }
    return cookie;
}

bool SameEndpoint(const sockaddr_in& a, const sockaddr_in& b) {
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

// One datagram (or queued error) as recvmsg gives it: the sender (or the
// destination of the request that failed), the bytes and the ancillary data.
struct Received {
    sockaddr_in Peer{};
    char Data[1024];
    char Control[512];
    ssize_t Size = -1;

    explicit Received(int socket, int flags) {
        iovec part{Data, sizeof Data};
        msghdr message{};
        message.msg_name = &Peer;
        message.msg_namelen = sizeof Peer;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = Control;
        message.msg_controllen = sizeof Control;
        Size = ::recvmsg(socket, &message, flags | MSG_DONTWAIT);
        header_ = message;
    }
    Received(const Received&) = delete; // it points into itself
    Received& operator=(const Received&) = delete;
    // The ancillary item of that level and type; nullptr when there is none.
    const unsigned char* Item(int level, int type) {
        for (cmsghdr* item = CMSG_FIRSTHDR(&header_); item; item = CMSG_NXTHDR(&header_, item)) {
            if (item->cmsg_level == level && item->cmsg_type == type) {
                return CMSG_DATA(item);
            }
        }
        return nullptr;
    }

private:
    msghdr header_{};
};

std::string EndpointText(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

} // namespace

TNtpClient::TNtpClient(QObject* owner) : TAsyncSocket(owner) {
    Port = kNtpPort;
    TimeOut = 1000;
}

TNtpClient::~TNtpClient() {
    CloseDatagramSocket();
}

std::string TNtpClient::ServerKey() const {
    return EndpointText(server_);
}

void TNtpClient::OpenSocket() {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
    if (socket_ < 0) {
        throw ESockError(rimo::SocketErrorText(SocketErrorFromErrno(errno)));
    }
    const int on = 1;
    // The kernel's own time of arrival: nothing of our event loop's delay
    // ends up in the offset.
    ::setsockopt(socket_, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    // A closed port's ICMP answer, queued although the socket is not connected.
    ::setsockopt(socket_, IPPROTO_IP, IP_RECVERR, &on, sizeof on);
    notifier_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TNtpClient::TakeWaiting);
}

void TNtpClient::CloseDatagramSocket() {
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_->disconnect(this);
        notifier_->deleteLater(); // possibly inside its own signal
        notifier_ = nullptr;
    }
    if (socket_ >= 0) {
        ::close(socket_);
        socket_ = -1;
    }
}

void TNtpClient::TakeWaiting() {
    TakeErrors();
    while (!reply_ && socket_ >= 0 && TakeDatagram()) {
    }
    if (reply_ && notifier_) {
        notifier_->setEnabled(false); // what else waits is of no interest
    }
    WakeWaits();
}

void TNtpClient::TakeErrors() {
    for (;;) {
        Received error(socket_, MSG_ERRQUEUE);
        if (error.Size < 0) {
            return;
        }
        const auto* data = error.Item(IPPROTO_IP, IP_RECVERR);
        sock_extended_err details{};
        if (data) {
            std::memcpy(&details, data, sizeof details);
        }
        // Only an error about our own request to the server counts.
        if (data && details.ee_origin == SO_EE_ORIGIN_ICMP && SameEndpoint(error.Peer, server_)) {
            socketError_ = SocketErrorFromErrno(static_cast<int>(details.ee_errno));
        }
    }
}

bool TNtpClient::TakeDatagram() {
    Received datagram(socket_, 0);
    const ssize_t size = datagram.Size;
    if (size < 0) {
        const int error = errno;
        if (error == EINTR) {
            return true;
        }
        if (error != EAGAIN && error != EWOULDBLOCK) {
            TakeErrors(); // a queued error, reported once by the normal read too
        }
        return false;
    }
    std::int64_t arrivedNs = ClockNs(CLOCK_REALTIME);
    if (const auto* data = datagram.Item(SOL_SOCKET, SCM_TIMESTAMPNS)) {
        timespec stamp{};
        std::memcpy(&stamp, data, sizeof stamp);
        arrivedNs = std::int64_t{stamp.tv_sec} * 1'000'000'000 + stamp.tv_nsec;
    }
    if (!SameEndpoint(datagram.Peer, server_)) {
        NtpReading stray;
        stray.Fault = NtpFault::WrongSender;
        stray.Size = static_cast<std::size_t>(size);
        stray.Sender = EndpointText(datagram.Peer);
        stray_ = stray;
        return true;
    }
    exchange_.ReceivedUnixNs = arrivedNs;
    NtpReading reading =
        ReadNtpReply(std::string_view(datagram.Data, static_cast<std::size_t>(size)), exchange_);
    if (IsStrayReply(reading.Fault)) {
        stray_ = std::move(reading);
        return true;
    }
    reply_ = std::move(reading);
    return false;
}

NtpReading TNtpClient::GetNtpTime() {
    // A second exchange on the socket in use would break the first one.
    if (exchanging_) {
        throw ESockError(rimo::SocketErrorText(kErrorInProgress));
    }
    cancel_ = false;
    const QScopedValueRollback<bool> running(exchanging_, true);

    ResolveWithRetry();
    server_ = sockaddr_in{};
    server_.sin_family = AF_INET;
    server_.sin_port = htons(static_cast<std::uint16_t>(Port));
    server_.sin_addr.s_addr = RemoteAddress();
    if (const auto held = holds_.Find(ServerKey(), HoldClockMs())) {
        NtpReading reading;
        reading.Fault = NtpFault::HeldByKiss;
        reading.Kiss = held->Code;
        reading.HoldMs = held->RemainingMs;
        return reading;
    }

    StatusMessage(8, "Sending Request");
    reply_.reset();
    stray_.reset();
    socketError_ = 0;
    OpenSocket();
    exchange_ = NtpExchange{};
    exchange_.Cookie = NewCookie();
    exchange_.TimeOutNs =
        TimeOut > 0 ? std::int64_t{TimeOut} * 1'000'000 : std::numeric_limits<std::int64_t>::max();
    exchange_.EraStartUnixSeconds = NtpEraStart(NotBefore);
    const std::string request = EncodeNtpPacket(NtpClientRequest(exchange_.Cookie));
    TimerOn();
    exchange_.SentUnixNs = ClockNs(CLOCK_REALTIME);
    if (::sendto(socket_, request.data(), request.size(), 0,
                 reinterpret_cast<const sockaddr*>(&server_), sizeof server_) < 0) {
        const int error = SocketErrorFromErrno(errno);
        TimerOff();
        CloseDatagramSocket();
        throw ESockError(rimo::SocketErrorText(error));
    }
    WaitUntil([this] { return reply_ || socketError_ != 0 || timedOut_ || cancel_; });
    TimerOff();
    if (!reply_ && socketError_ == 0) {
        TakeWaiting(); // a reply that came with the time-out or a cancel still counts
    }
    CloseDatagramSocket();

    if (reply_) {
        timedOut_ = false;
        cancel_ = false;
        if (reply_->Fault == NtpFault::KissOfDeath) {
            holds_.Hold(ServerKey(), reply_->Kiss, HoldClockMs());
        }
        return *reply_;
    }
    if (socketError_ != 0) {
        throw ESockError(rimo::SocketErrorText(socketError_));
    }
    if (timedOut_) {
        if (stray_) {
            return *stray_; // nothing better came: the reason the one datagram was passed over
        }
        throw ESockError(rimo::SocketErrorText(kErrorTimedOut));
    }
    cancel_ = false;
    throw EAbortError("Socket send aborted");
}

} // namespace rimo
