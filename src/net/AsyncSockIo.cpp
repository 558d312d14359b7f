// Reading, writing, listening and accepting of TAsyncSocket.
#include "net/AsyncSock.h"

#include "net/SockExceptions.h"
#include "net/SocketErrors.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace rimo {

namespace {

constexpr int kMaxRead = 65535;

// Turns the timer off however the block is left.
class TimerScope {
public:
    explicit TimerScope(TAsyncSocket& socket) : socket_(socket) { socket_.TimerOn(); }
    ~TimerScope() { socket_.TimerOff(); }
    TimerScope(const TimerScope&) = delete;
    TimerScope& operator=(const TimerScope&) = delete;

private:
    TAsyncSocket& socket_;
};

} // namespace

void TAsyncSocket::WaitForBytes(int bytes) {
    if (!readNotifier_) {
        return;
    }
    // The notifier fires only once that many bytes wait (or at the end of the
    // stream), so waiting for the rest of a line costs nothing meanwhile.
    ::setsockopt(handle_, SOL_SOCKET, SO_RCVLOWAT, &bytes, sizeof bytes);
    const unsigned readable = readableCount_;
    const unsigned generation = generation_;
    readNotifier_->setEnabled(true);
    WaitUntil([&] { return readableCount_ != readable || generation_ != generation || cancel_; });
    if (generation_ == generation) {
        const int one = 1;
        ::setsockopt(handle_, SOL_SOCKET, SO_RCVLOWAT, &one, sizeof one);
    }
}

std::string TAsyncSocket::Read(int count) {
    StatusMessage(8, "Read( " + std::to_string(count) + " )");
    if (count < 0 || count > kMaxRead) {
        throw std::range_error("Range check error");
    }
    if (count == 0) {
        const int waiting = Peek(buffer_.data(), static_cast<int>(buffer_.size()));
        Rearm();
        if (waiting < 0) {
            std::string text;
            CheckSocketError(kErrorWouldBlock, text);
            return {};
        }
        count = waiting > kMaxRead ? kMaxRead : waiting;
    } else {
        while (!cancel_) {
            const int waiting = Peek(buffer_.data(), static_cast<int>(buffer_.size()));
            Rearm();
            if (waiting >= count) {
                break;
            }
            if (waiting == 0) {
                return {}; // the peer closed
            }
            if (waiting < 0) {
                std::string text;
                CheckSocketError(kErrorWouldBlock, text);
            }
            WaitForBytes(count);
        }
    }
    if (cancel_) {
        cancel_ = false;
        throw EAbortError("Socket send aborted");
    }
    std::string result(static_cast<std::size_t>(count), '\0');
    const ssize_t received =
        count == 0 ? 0 : ::recv(handle_, result.data(), result.size(), MSG_DONTWAIT);
    Rearm();
    result.resize(received > 0 ? static_cast<std::size_t>(received) : 0);
    return result;
}

std::string TAsyncSocket::ReadLn() {
    StatusMessage(8, "ReadLn");
    {
        TimerScope timer(*this);
        while (!cancel_) {
            const int waiting = Peek(buffer_.data(), static_cast<int>(buffer_.size()));
            Rearm();
            if (waiting == 0) {
                return {};
            }
            if (waiting < 0) {
                std::string text;
                CheckSocketError(kErrorWouldBlock, text);
            } else {
                const void* lineFeed =
                    std::memchr(buffer_.data(), '\n', static_cast<std::size_t>(waiting));
                if (lineFeed || waiting >= kMaxRead) {
                    const std::size_t length =
                        lineFeed ? static_cast<const char*>(lineFeed) - buffer_.data() + 1
                                 : static_cast<std::size_t>(kMaxRead);
                    std::string line(length, '\0');
                    const ssize_t received = ::recv(handle_, line.data(), length, MSG_DONTWAIT);
                    Rearm();
                    line.resize(received > 0 ? static_cast<std::size_t>(received) : 0);
                    return line;
                }
            }
            WaitForBytes(waiting > 0 ? waiting + 1 : 1);
        }
    }
    cancel_ = false;
    throw EAbortError("Socket readln aborted");
}

void TAsyncSocket::SendBuffer(const char* buffer, int length) {
    StatusMessage(4, "Sending Buffer");
    if (length == 0) {
        length = static_cast<int>(std::strlen(buffer));
    }
    {
        TimerScope timer(*this);
        int sent = 0;
        while (sent < length && !cancel_) {
            const ssize_t n =
                ::send(handle_, buffer + sent, static_cast<std::size_t>(length - sent),
                       MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += static_cast<int>(n);
                continue;
            }
            if (n == 0) {
                break;
            }
            const int error = errno;
            if (error == EAGAIN || error == EWOULDBLOCK) {
                // Wait until the socket takes more.
                sendWaiting_ = true;
                writeNotifier_->setEnabled(true);
                WaitUntil([this] { return !sendWaiting_ || cancel_; });
                continue;
            }
            lastErrno_ = error;
            std::string text;
            CheckSocketError(kErrorWouldBlock, text);
        }
    }
    if (cancel_) {
        cancel_ = false;
        throw EAbortError("Socket send aborted");
    }
}

void TAsyncSocket::Write(const std::string& text) {
    StatusMessage(8, "Write");
    // Sent as a zero-terminated text from the work buffer.
    const std::size_t length = std::min(text.size(), buffer_.size() - 1);
    std::memcpy(buffer_.data(), text.data(), length);
    buffer_[length] = '\0';
    SendBuffer(buffer_.data(), 0);
}

void TAsyncSocket::Writeln(const std::string& text) {
    StatusMessage(8, "Writeln");
    Write(text + "\r\n");
}

std::string TAsyncSocket::Transaction(const std::string& command) {
    StatusMessage(8, "Transaction");
    replyCode_ = 0;
    Writeln(command);
    lastReply_ = ReadLn();
    StatusMessage(1, lastReply_);
    long long code = 0;
    int digits = 0;
    while (digits < 10 && digits < static_cast<int>(lastReply_.size()) &&
           lastReply_[static_cast<std::size_t>(digits)] >= '0' &&
           lastReply_[static_cast<std::size_t>(digits)] <= '9') {
        code = code * 10 + (lastReply_[static_cast<std::size_t>(digits)] - '0');
        ++digits;
    }
    if (digits > 0) {
        replyCode_ = code;
    }
    return lastReply_;
}

void TAsyncSocket::Listen() {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(Port));
    local.sin_addr.s_addr = Host.empty() ? htonl(INADDR_ANY) : ::inet_addr(Host.c_str());
    const int reuse = 1;
    ::setsockopt(handle_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    if (::bind(handle_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(handle_, 5) != 0) {
        RecordErrno();
        std::string text;
        CheckSocketError(kErrorWouldBlock, text);
        return;
    }
    listening_ = true;
    acceptArmed_ = true;
    readNotifier_->setEnabled(true);
}

int TAsyncSocket::LocalPort() const {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (handle_ < 0 || ::getsockname(handle_, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return 0;
    }
    return ntohs(local.sin_port);
}

int TAsyncSocket::Accept() {
    StatusMessage(4, "Accepting");
    waitDone_ = false;
    if (listening_) {
        acceptArmed_ = true;
        readNotifier_->setEnabled(true);
    }
    {
        TimerScope timer(*this);
        WaitUntil([this] { return waitDone_ || cancel_; });
    }
    if (cancel_) {
        throw ESockError("Accepting Canceled");
    }
    if (!success_) {
        throw ESockError("Error creating Data Connection");
    }
    socklen_t length = sizeof peer_;
    const int accepted = ::accept4(handle_, reinterpret_cast<sockaddr*>(&peer_), &length,
                                   SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (accepted < 0) {
        RecordErrno();
        std::string text;
        CheckSocketError(kErrorWouldBlock, text);
        throw ESockError("Error creating Data Connection");
    }
    if (cancel_) {
        ::close(accepted);
        cancel_ = false;
        throw EAbortError("Socket send aborted");
    }
    return accepted;
}

} // namespace rimo
