#pragma once

#include "net/AsyncSock.h"
#include "net/BuildDate.h"
#include "net/NtpReply.h"

#include <optional>

namespace rimo {

// An SNTP client (NTP version 4, client mode) over UDP, on the socket
// component's host lookup, time-out timer and event-loop waits: one request,
// one reply, no thread and no spinning. Each exchange has a socket of its own.
class TNtpClient : public TAsyncSocket {
    Q_OBJECT
public:
    static constexpr int kNtpPort = 123;

    explicit TNtpClient(QObject* owner = nullptr);
    ~TNtpClient() override;

    // Server times before this day are not believed; it also fixes their era.
    DateTime NotBefore = BuildDate();

    // One exchange with Host:Port. The reading's fault says why a reply gives
    // no time; a datagram that may be stray or forged (from another address
    // or port, not answering our request, too short) is passed over and the
    // wait goes on, and only when nothing better came within TimeOut is it
    // the answer. A server that sent a kiss-o'-death asking to be left alone
    // is not asked again until its hold ends (HeldByKiss). Throws ESockError
    // as GetDayTime does: a failed host lookup, "10061:Connection refused"
    // when the server's port is closed, "10060:Connection timed out" when no
    // datagram came within TimeOut, "10037:Operation already in progress"
    // when called during an exchange, a socket error of the send; EAbortError
    // when cancelled. A reply in the same pass of the event loop as the
    // time-out wins over it.
    NtpReading GetNtpTime();

    // The server as its holds know it: "address:port".
    std::string ServerKey() const;

private:
    void OpenSocket();
    void CloseDatagramSocket();
    // Takes every datagram and queued error waiting on the socket.
    void TakeWaiting();
    void TakeErrors();
    bool TakeDatagram();

    int socket_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool exchanging_ = false;
    NtpKissHolds holds_;

    // The exchange under way.
    sockaddr_in server_{};
    NtpExchange exchange_;
    std::optional<NtpReading> reply_;
    std::optional<NtpReading> stray_;
    int socketError_ = 0;
};

} // namespace rimo
