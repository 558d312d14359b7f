// Host lookup and connection set-up of TAsyncSocket.
#include "net/AsyncSock.h"

#include "net/SockExceptions.h"
#include "net/SocketErrors.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QPointer>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>

namespace rimo {

void TAsyncSocket::LookupDone(const QHostInfo& info) {
    if (info.lookupId() != lookupId_) {
        return; // the answer to a lookup whose wait has ended
    }
    lookupId_ = -1;
    lookupAddress_ = 0;
    if (info.error() == QHostInfo::NoError) {
        for (const QHostAddress& address : info.addresses()) {
            bool isIpv4 = false;
            const quint32 value = address.toIPv4Address(&isIpv4);
            if (isIpv4) {
                lookupAddress_ = htonl(value);
                break;
            }
        }
    }
    success_ = lookupAddress_ != 0;
    waitDone_ = true;
    WakeWaits();
}

void TAsyncSocket::ResolveHost() {
    StatusMessage(8, "Resolve Host");
    const std::string name = ProxyHost.empty() ? Host : ProxyHost;
    const in_addr_t dotted = ::inet_addr(name.c_str());
    if (dotted != INADDR_NONE) {
        remote_.sin_addr.s_addr = dotted;
        return;
    }
    remote_.sin_addr.s_addr = 0;
    TimerOn();
    waitDone_ = false;
    // The answer goes to a receiver of its own that lives until it comes: Qt
    // 6.4 leaks the handler of a lookup whose receiver is gone (or aborted).
    auto* receiver = new QObject;
    const QPointer<TAsyncSocket> self(this);
    lookupId_ = QHostInfo::lookupHost(QString::fromStdString(name), receiver,
                                      [self, receiver](const QHostInfo& info) {
                                          receiver->deleteLater();
                                          if (self) {
                                              self->LookupDone(info);
                                          }
                                      });
    WaitUntil([this] { return waitDone_ || timedOut_ || cancel_; });
    TimerOff();
    // Ended by time-out or cancel: a late answer must not disturb what follows.
    lookupId_ = -1;
    if (timedOut_) {
        throw ESockError("Host Lookup Timed Out");
    }
    if (cancel_) {
        throw ESockError("Host Lookup Canceled");
    }
    if (!success_) {
        throw ESockError("Host Lookup Failed");
    }
    remote_.sin_addr.s_addr = lookupAddress_;
    if (OnHostResolved) {
        OnHostResolved(*this);
    }
}

void TAsyncSocket::ResolveWithRetry() {
    bool retried = false;
    for (;;) {
        try {
            ResolveHost();
        } catch (const ESockError& error) {
            const std::string message = error.what();
            if (message == "Host Lookup Timed Out" || message == "Host Lookup Canceled") {
                throw;
            }
            remote_.sin_addr.s_addr = 0;
        }
        if (remote_.sin_addr.s_addr != 0) {
            return;
        }
        if (retried || !OnInvalidHost) {
            throw ESockError("Null Remote Address");
        }
        bool handled = false;
        OnInvalidHost(handled);
        if (!handled) {
            throw ESockError("Null Remote Address");
        }
        retried = true;
    }
}

void TAsyncSocket::StartConnect(bool throwImmediate) {
    remote_.sin_family = AF_INET;
    remote_.sin_port = htons(static_cast<std::uint16_t>(ProxyHost.empty() ? Port : ProxyPort));
    connectError_ = 0;
    connectPending_ = false;
    const int result =
        ::connect(handle_, reinterpret_cast<const sockaddr*>(&remote_), sizeof remote_);
    const int error = result == 0 ? 0 : errno;
    if (error == EINPROGRESS || error == EAGAIN) {
        connectPending_ = true;
        writeNotifier_->setEnabled(true);
        return;
    }
    if (error != 0 && throwImmediate) {
        lastErrno_ = error;
        std::string text;
        CheckSocketError(kErrorWouldBlock, text);
    }
    // Finished at once: the connect event follows from the event loop.
    const unsigned generation = generation_;
    const int code = SocketErrorFromErrno(error);
    QMetaObject::invokeMethod(
        this, [this, generation, code] { HandleSocketEvent(generation, EventConnect, code); },
        Qt::QueuedConnection);
}

void TAsyncSocket::Connect() {
    StatusMessage(8, "Connecting");
    cancel_ = false;
    if (connected_) {
        throw ESockError("Already connected");
    }
    ResolveWithRetry();
    waitDone_ = false;
    success_ = true;
    StartConnect(true);
    TimerOn();
    WaitUntil([this] { return connected_ || timedOut_ || cancel_ || !success_; });
    TimerOff();
    if (!timedOut_ && !cancel_ && success_) {
        return;
    }
    if (OnConnectionFailed) {
        OnConnectionFailed(*this);
    }
    if (timedOut_) {
        throw ESockError("Connection Timed out");
    }
    if (cancel_) {
        throw ESockError("Connection Canceled");
    }
    throw ESockError("Connection Failed");
}

} // namespace rimo
