#pragma once

#include <QObject>

#include <netinet/in.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QEventLoop;
class QHostInfo;
class QSocketNotifier;

namespace rimo {

class TWindowTimer;

// A TCP client over a non-blocking socket in the event loop of the creating
// thread, without a second thread. Socket events come from socket notifiers
// and are handled like the classic asynchronous messages (read, accept,
// connect, close: each delivered once until the socket is read again); the
// host lookup is asynchronous. Every waiting operation runs a nested event
// loop until the awaited event, the time-out timer or a cancel: ticks and
// clicks go on meanwhile and may call into the component again.
// Failures are thrown as ESockError / EAbortError (SockExceptions.h).
class TAsyncSocket : public QObject {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TAsyncSocket& sender)>;
    using THandlerEvent = std::function<void(bool& handled)>;
    using TOnHostResolved = std::function<void(TAsyncSocket& sender)>;
    using TOnStatus = std::function<void(TAsyncSocket& sender, const std::string& status)>;
    using TOnError = std::function<void(TAsyncSocket& sender, const std::string& text)>;

    // Socket events, numbered as the classic notification events.
    enum SocketEvent {
        EventRead = 1,
        EventOutOfBand = 4,
        EventAccept = 8,
        EventConnect = 16,
        EventClose = 32
    };

    explicit TAsyncSocket(QObject* owner = nullptr);
    ~TAsyncSocket() override;

    // Properties.
    std::string Host;    // a dotted IPv4 address or a host name
    int Port = 0;        // the peer's TCP port
    int TimeOut = 0;     // bound of every wait in milliseconds; 0: not bounded
    int ReportLevel = 0; // status texts of level L are reported when L <= ReportLevel
    // When set, the proxy's host and port are used in place of Host and Port.
    std::string ProxyHost;
    int ProxyPort = 0;

    // Events.
    TNotifyEvent OnDisconnect;
    TNotifyEvent OnConnect;
    THandlerEvent OnInvalidHost; // may change Host and set handled for one more try
    TOnHostResolved OnHostResolved;
    TOnStatus OnStatus;
    TNotifyEvent OnConnectionFailed;
    // Further handlers: incoming data, incoming connection, an error before it is thrown.
    TNotifyEvent OnDataAvailable;
    TNotifyEvent OnIncomingConnection;
    TOnError OnError;

    void Cancel();
    virtual void Abort();
    void ResolveHost();
    virtual void Connect();
    virtual void Disconnect();
    void CloseSocket();
    bool DataAvailable();
    // count 0: everything waiting now (at most 65,535 bytes); else waits for
    // count bytes (until the peer closes: empty, or a cancel).
    std::string Read(int count);
    std::string ReadLn();
    void Write(const std::string& text);
    void Writeln(const std::string& text);
    // length 0: up to the first zero byte.
    void SendBuffer(const char* buffer, int length);
    virtual std::string Transaction(const std::string& command);
    // Binds to Host (any address when empty) and Port (a free one when 0) and
    // listens; incoming connections then raise the accept event.
    void Listen();
    int LocalPort() const;
    // Waits for an incoming connection (bounded by TimeOut) and returns its
    // socket, which the caller owns and closes.
    virtual int Accept();

    void TimerOn();
    void TimerOff();
    void TimerFired();
    // Raises ESockError for the last socket error unless it is `ignore` or not
    // above 10000; `text` gets the error text, or is cleared.
    void CheckSocketError(int ignore, std::string& text);
    void SocketErrorText(int number, std::string& text);
    void StatusMessage(int level, const std::string& text);

    const std::string& LastStatus() const { return lastStatus_; }
    int LastError() const { return lastError_; }
    const std::string& LastReply() const { return lastReply_; }
    long long ReplyCode() const { return replyCode_; }
    const std::vector<std::string>& StartupReport() const { return startupReport_; }
    // The remote IPv4 address in network byte order; 0 when not resolved.
    std::uint32_t RemoteAddress() const { return remote_.sin_addr.s_addr; }
    std::uint32_t PeerAddress() const { return peer_.sin_addr.s_addr; }
    int Handle() const { return handle_; }
    bool Connected() const { return connected_; }
    bool TimedOut() const { return timedOut_; }
    bool Cancelled() const { return cancel_; }
    TWindowTimer& Timer() { return *timer_; }
    // Number of components started in this process.
    static int StartedCount();

protected:
    // Resolve with at most one retry granted by OnInvalidHost.
    void ResolveWithRetry();
    // Fills the remote port and starts the connect. An immediate failure is
    // thrown when `throwImmediate`, else delivered as a failed connect event.
    void StartConnect(bool throwImmediate);
    // Runs nested event loops until `done` holds (re-checked after every
    // event of this component). Ends as cancelled when the application quits.
    void WaitUntil(const std::function<bool()>& done);
    // Wakes the waits so that they check their conditions again.
    void WakeWaits();
    // Waits until at least `bytes` bytes wait, the peer closes, or a cancel.
    void WaitForBytes(int bytes);
    // Closes the socket whatever happens (a failure path).
    void CloseQuietly();

    bool cancel_ = false;
    bool timedOut_ = false;
    bool success_ = false;
    bool waitDone_ = false;
    bool connected_ = false;
    bool destroying_ = false;
    // Error carried by the last failed connect and close events.
    int connectError_ = 0;
    int closeError_ = 0;
    // Counts the sockets of this component: it changes when a socket is closed.
    unsigned generation_ = 0;

private:
    void InitWinsock();
    void CreateSocket(bool zeroLinger);
    void DropNotifiers();
    void ReadNotifierActivated();
    void WriteNotifierActivated();
    void HandleSocketEvent(unsigned generation, int event, int error);
    void LookupDone(const QHostInfo& info);
    void Rearm();
    int Peek(char* buffer, int size);
    void RecordErrno();

    int handle_ = -1;
    sockaddr_in remote_{};
    sockaddr_in peer_{};
    std::vector<char> buffer_;
    TWindowTimer* timer_ = nullptr;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    std::vector<QEventLoop*> waits_;
    std::string lastStatus_;
    std::vector<std::string> startupReport_;
    int lastError_ = 0;
    int lastErrno_ = 0;
    std::string lastReply_;
    long long replyCode_ = 0;
    int lookupId_ = -1;
    std::uint32_t lookupAddress_ = 0;
    bool started_ = false;
    // Per socket: the events that may still be delivered.
    bool readArmed_ = true;
    bool closeReported_ = false;
    bool listening_ = false;
    bool acceptArmed_ = false;
    bool connectPending_ = false;
    bool sendWaiting_ = false;
    unsigned readableCount_ = 0;
};

} // namespace rimo
