#include "net/DayTimeClient.h"

#include "net/SockExceptions.h"
#include "net/SocketErrors.h"

#include <QScopedValueRollback>

#include <stdexcept>

namespace rimo {

TDayTimeClient::TDayTimeClient(QObject* owner) : TAsyncSocket(owner) {
    Port = kDayTimePort;
    TimeOut = 500;
}

std::string TDayTimeClient::GetDayTime() {
    // A second exchange on the socket in use would break the first one.
    if (exchanging_) {
        throw ESockError(connected_ ? std::string("Already connected")
                                    : rimo::SocketErrorText(kErrorInProgress));
    }
    cancel_ = false;
    if (connected_) {
        throw ESockError("Already connected");
    }
    const QScopedValueRollback<bool> running(exchanging_, true);

    ResolveWithRetry();

    StatusMessage(8, "Connecting");
    success_ = false;
    timedOut_ = false;
    TimerOn();
    StartConnect(false);
    // A refused connection ends the wait at once, with its error.
    WaitUntil([this] { return connected_ || connectError_ != 0 || timedOut_ || cancel_; });
    TimerOff();
    if (!connected_) {
        const int error = connectError_;
        const bool timedOut = timedOut_;
        CloseQuietly();
        if (timedOut) {
            throw std::runtime_error("Connection Timed out");
        }
        if (error != 0) {
            throw ESockError(rimo::SocketErrorText(error));
        }
        throw ESockError("Connection Canceled");
    }
    // Connected as the time-out fired (both in one pass of the event loop):
    // the connection wins.
    timedOut_ = false;
    cancel_ = false;

    std::string reply;
    try {
        // The data wait is bounded by the time-out too; it also ends when the
        // server closes without sending.
        const unsigned generation = generation_;
        closeError_ = 0;
        TimerOn();
        WaitUntil(
            [&] { return generation_ != generation || timedOut_ || cancel_ || DataAvailable(); });
        TimerOff();
        if (generation_ != generation) {
            // Closed by the server without a byte: no reply is an error too.
            throw ESockError(
                rimo::SocketErrorText(closeError_ != 0 ? closeError_ : kErrorNotConnected));
        }
        if (DataAvailable()) {
            // Data that came with the time-out or a cancel still counts.
            timedOut_ = false;
            cancel_ = false;
            reply = Read(0);
        } else if (timedOut_) {
            throw ESockError(rimo::SocketErrorText(kErrorTimedOut));
        } else {
            cancel_ = false;
            throw EAbortError("Socket send aborted");
        }
    } catch (...) {
        CloseQuietly();
        throw;
    }
    Disconnect();
    return reply;
}

} // namespace rimo
