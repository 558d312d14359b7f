#pragma once

#include "net/AsyncSock.h"

namespace rimo {

// A daytime-protocol client: connects to the server (TCP port 13), takes what
// the server has sent when its first byte is seen, and closes.
class TDayTimeClient : public TAsyncSocket {
    Q_OBJECT
public:
    static constexpr int kDayTimePort = 13;

    explicit TDayTimeClient(QObject* owner = nullptr);

    // The server's reply, unparsed, line ends included; never empty. Throws
    // ESockError ("Already connected", "Host Lookup Timed Out", "Host Lookup
    // Canceled", "Null Remote Address", a socket error such as
    // "10061:Connection refused", "10060:Connection timed out" when no data
    // comes within TimeOut, "10057:Socket is not connected" when the server
    // closes without sending, "10037:Operation already in progress" when
    // called while an exchange is being set up), EAbortError when cancelled,
    // and std::runtime_error "Connection Timed out" when the connection is not
    // made within TimeOut. A connection or data that comes in the same pass of
    // the event loop as the time-out wins over it. Every call that gets past
    // the host lookup leaves a fresh, unconnected socket.
    std::string GetDayTime();

private:
    bool exchanging_ = false;
};

} // namespace rimo
