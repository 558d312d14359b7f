#include "net/AsyncSock.h"

#include "net/SockExceptions.h"
#include "net/SocketErrors.h"
#include "net/WindowTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace rimo {

namespace {

constexpr int kBufferSize = 65536;
constexpr int kLookupBufferSize = 1024;

// Components started in this process; all live on one thread.
int startedCount = 0;

} // namespace

int TAsyncSocket::StartedCount() {
    return startedCount;
}

TAsyncSocket::TAsyncSocket(QObject* owner) : QObject(owner) {
    StatusMessage(8, "Create");
    remote_.sin_family = AF_INET;
    buffer_.resize(kBufferSize);
    timer_ = new TWindowTimer(this);
    timer_->SetEnabled(false);
    timer_->SetOnTimer([this] { TimerFired(); });
    TimeOut = 0;
    InitWinsock();
}

TAsyncSocket::~TAsyncSocket() {
    // No handler runs from here on: what they refer to may be gone already.
    destroying_ = true;
    StatusMessage(8, "Destroy");
    TAsyncSocket::Abort();
    Cancel();
    timer_->SetEnabled(false);
    try {
        CloseSocket();
    } catch (...) {
        // Nothing can be reported while going away.
    }
    if (started_) {
        --startedCount;
    }
}

void TAsyncSocket::InitWinsock() {
    StatusMessage(8, "Initializing Winsock");
    const bool first = startedCount == 0;
    ++startedCount;
    started_ = true;
    try {
        if (first) {
            // The start-up report of the first component of the process.
            rlimit files{};
            getrlimit(RLIMIT_NOFILE, &files);
            startupReport_ = {"Version= 1.1",
                              "High Version= 1.1",
                              "Description= POSIX sockets (non-blocking, event loop)",
                              "System= Running",
                              "Max Sockets= " + std::to_string(files.rlim_cur),
                              "Max Udp pack size= 65507"};
        }
        CreateSocket(true);
    } catch (...) {
        --startedCount;
        started_ = false;
        throw ESockError("Initializaton of windows sockets failed");
    }
}

void TAsyncSocket::CreateSocket(bool zeroLinger) {
    const int handle =
        ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, zeroLinger ? IPPROTO_TCP : 0);
    if (handle < 0) {
        const int error = errno;
        lastErrno_ = error;
        std::string text;
        CheckSocketError(kErrorWouldBlock, text);
        throw ESockError(rimo::SocketErrorText(SocketErrorFromErrno(error)));
    }
    if (zeroLinger) {
        // Closing the first socket resets the connection.
        const linger option{1, 0};
        ::setsockopt(handle, SOL_SOCKET, SO_LINGER, &option, sizeof option);
    }
    handle_ = handle;
    ++generation_;
    readArmed_ = true;
    closeReported_ = false;
    listening_ = false;
    acceptArmed_ = false;
    connectPending_ = false;
    sendWaiting_ = false;
    readNotifier_ = new QSocketNotifier(handle, QSocketNotifier::Read, this);
    readNotifier_->setEnabled(false);
    connect(readNotifier_, &QSocketNotifier::activated, this, &TAsyncSocket::ReadNotifierActivated);
    writeNotifier_ = new QSocketNotifier(handle, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this,
            &TAsyncSocket::WriteNotifierActivated);
}

void TAsyncSocket::DropNotifiers() {
    // Possibly inside their own signal: deleted later, disabled now.
    for (QSocketNotifier* notifier : {readNotifier_, writeNotifier_}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->disconnect(this);
            notifier->deleteLater();
        }
    }
    readNotifier_ = nullptr;
    writeNotifier_ = nullptr;
}

void TAsyncSocket::StatusMessage(int level, const std::string& text) {
    if (level > ReportLevel) {
        return;
    }
    try {
        lastStatus_ = text;
        if (!destroying_ && OnStatus) {
            OnStatus(*this, text);
        }
    } catch (...) {
        // A status report never stops an operation.
    }
}

void TAsyncSocket::Cancel() {
    StatusMessage(8, "Canceling");
    cancel_ = true;
    WakeWaits();
}

void TAsyncSocket::Abort() {
    StatusMessage(8, "Abort");
    Cancel();
}

void TAsyncSocket::TimerOn() {
    StatusMessage(8, "Timer On");
    timedOut_ = false;
    if (TimeOut < 0) {
        throw std::range_error("Range check error");
    }
    timer_->SetInterval(static_cast<unsigned>(TimeOut));
    timer_->SetEnabled(true);
}

void TAsyncSocket::TimerOff() {
    StatusMessage(8, "Timer Off");
    timer_->SetEnabled(false);
}

void TAsyncSocket::TimerFired() {
    StatusMessage(8, "Timer Triggered");
    TimerOff();
    timedOut_ = true;
    waitDone_ = true;
    Abort();
}

void TAsyncSocket::RecordErrno() {
    lastErrno_ = errno;
}

void TAsyncSocket::SocketErrorText(int number, std::string& text) {
    StatusMessage(8, "Looking Up Error Message" + text);
    text = rimo::SocketErrorText(number);
}

void TAsyncSocket::CheckSocketError(int ignore, std::string& text) {
    lastError_ = SocketErrorFromErrno(lastErrno_);
    lastErrno_ = 0;
    text.clear();
    if (lastError_ != ignore && lastError_ > 10000) {
        SocketErrorText(lastError_, text);
        if (OnError) {
            OnError(*this, text);
        }
        throw ESockError(text);
    }
}

void TAsyncSocket::WakeWaits() {
    for (QEventLoop* loop : waits_) {
        loop->quit();
    }
}

void TAsyncSocket::WaitUntil(const std::function<bool()>& done) {
    while (!done()) {
        QEventLoop loop;
        waits_.push_back(&loop);
        const int result = loop.exec();
        waits_.erase(std::find(waits_.begin(), waits_.end(), &loop));
        if (result != 0) {
            // The application is quitting: no event will end this wait.
            cancel_ = true;
            return;
        }
    }
}

void TAsyncSocket::Rearm() {
    // Reading the socket allows the next read event, as with the classic
    // asynchronous sockets; the notifier is level-triggered, so it is only
    // enabled while an event may still be delivered.
    readArmed_ = true;
    if (readNotifier_ && connected_ && !listening_) {
        readNotifier_->setEnabled(true);
    }
}

int TAsyncSocket::Peek(char* buffer, int size) {
    const ssize_t n =
        ::recv(handle_, buffer, static_cast<std::size_t>(size), MSG_PEEK | MSG_DONTWAIT);
    if (n < 0) {
        RecordErrno();
    }
    return static_cast<int>(n);
}

void TAsyncSocket::ReadNotifierActivated() {
    readNotifier_->setEnabled(false);
    ++readableCount_;
    const unsigned generation = generation_;
    if (listening_) {
        if (acceptArmed_) {
            acceptArmed_ = false;
            HandleSocketEvent(generation, EventAccept, 0);
        }
        WakeWaits();
        return;
    }
    char byte = 0;
    const ssize_t n = ::recv(handle_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    const int error = n < 0 ? errno : 0;
    if (n < 0 && (error == EAGAIN || error == EWOULDBLOCK || error == EINTR)) {
        readNotifier_->setEnabled(true); // nothing happened after all
        return;
    }
    bool peerClosed = n <= 0;
    if (n > 0) {
        pollfd state{handle_, POLLRDHUP, 0};
        peerClosed = ::poll(&state, 1, 0) == 1 && (state.revents & (POLLRDHUP | POLLHUP)) != 0;
        if (readArmed_) {
            readArmed_ = false;
            HandleSocketEvent(generation, EventRead, 0);
        }
    }
    if (peerClosed && !closeReported_ && generation == generation_) {
        closeReported_ = true;
        closeError_ = SocketErrorFromErrno(error);
        HandleSocketEvent(generation, EventClose, closeError_);
    }
    WakeWaits();
}

void TAsyncSocket::WriteNotifierActivated() {
    writeNotifier_->setEnabled(false);
    if (connectPending_) {
        connectPending_ = false;
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(handle_, SOL_SOCKET, SO_ERROR, &error, &length);
        HandleSocketEvent(generation_, EventConnect, SocketErrorFromErrno(error));
    }
    sendWaiting_ = false;
    WakeWaits();
}

void TAsyncSocket::HandleSocketEvent(unsigned generation, int event, int error) {
    if (generation != generation_) {
        return; // an event of a socket closed since
    }
    success_ = error == 0;
    try {
        switch (event) {
        case EventRead:
            try {
                if (OnDataAvailable) {
                    OnDataAvailable(*this);
                }
            } catch (...) {
            }
            break;
        case EventAccept:
            connected_ = true;
            waitDone_ = true;
            if (OnIncomingConnection) {
                OnIncomingConnection(*this);
            }
            break;
        case EventConnect:
            if (success_) {
                connected_ = true;
                Rearm();
                if (OnConnect) {
                    OnConnect(*this);
                }
            } else {
                connectError_ = error;
            }
            break;
        case EventClose:
            // With data still waiting the close waits for the reader.
            if (!DataAvailable()) {
                CloseSocket();
            }
            break;
        default:
            break;
        }
    } catch (...) {
        // Nothing escapes into the event loop.
    }
    WakeWaits();
}

void TAsyncSocket::Disconnect() {
    StatusMessage(8, "Disconnecting");
    CloseSocket();
}

void TAsyncSocket::CloseSocket() {
    StatusMessage(4, "Request Close Socket");
    connected_ = false;
    if (handle_ >= 0) {
        DropNotifiers();
        const int result = ::close(handle_);
        handle_ = -1;
        ++generation_;
        if (result != 0) {
            RecordErrno();
            std::string text;
            CheckSocketError(kErrorWouldBlock, text);
        } else if (OnDisconnect && !destroying_) {
            OnDisconnect(*this);
        }
        if (!destroying_) {
            CreateSocket(false);
        }
    }
    WakeWaits();
}

void TAsyncSocket::CloseQuietly() {
    try {
        CloseSocket();
    } catch (...) {
        // The failure being reported matters more.
    }
}

bool TAsyncSocket::DataAvailable() {
    StatusMessage(8, "Data Available");
    if (handle_ < 0) {
        return false;
    }
    char byte = 0;
    const bool available = Peek(&byte, 1) >= 1;
    Rearm();
    return available;
}

} // namespace rimo
