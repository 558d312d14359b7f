#include "net/DayTimeClient.h"

#include "net/SockExceptions.h"
#include "net/SocketErrors.h"

#include <stdexcept>

namespace rimo {

TDayTimeClient::TDayTimeClient(QObject* owner) : TAsyncSocket(owner) {
    Port = kDayTimePort;
    TimeOut = 500;
}

std::string TDayTimeClient::GetDayTime() {
    cancel_ = false;
    if (connected_) {
        throw ESockError("Already connected");
    }
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
            if (closeError_ != 0) {
                throw ESockError(rimo::SocketErrorText(closeError_));
            }
        } else if (DataAvailable()) {
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
