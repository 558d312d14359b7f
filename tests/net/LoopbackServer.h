#pragma once

// A small TCP server of the tests' own on 127.0.0.1 (a free port), serving
// each accepted connection with a handler on its own thread, so that the
// client under test runs its event loop undisturbed.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rimo::test {

class LoopbackServer {
public:
    using Handler = std::function<void(int connection, LoopbackServer& server)>;

    explicit LoopbackServer(Handler handler) : handler_(std::move(handler)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return port_; }
    int Accepted() const { return accepted_; }
    bool Stopping() const { return stop_; }
    std::string Received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

    // Waits up to `ms`, ending early when the server stops.
    void Pause(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!stop_ && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    static void Send(int connection, const std::string& bytes) {
        ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
    // Reads until a line feed, the peer's close or the server's stop.
    std::string ReadLine(int connection) {
        std::string line;
        char c = 0;
        while (!stop_) {
            pollfd state{connection, POLLIN, 0};
            if (::poll(&state, 1, 20) <= 0) {
                continue;
            }
            if (::recv(connection, &c, 1, 0) != 1) {
                break;
            }
            line += c;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                received_ += c;
            }
            if (c == '\n') {
                break;
            }
        }
        return line;
    }
    // Reads everything until the peer closes or the server stops.
    void Drain(int connection) {
        char buffer[4096];
        while (!stop_) {
            pollfd state{connection, POLLIN, 0};
            if (::poll(&state, 1, 20) <= 0) {
                continue;
            }
            const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return;
            }
            std::lock_guard<std::mutex> lock(mutex_);
            received_.append(buffer, static_cast<std::size_t>(n));
        }
    }
    // Ends the connection with a reset instead of an orderly close.
    static void Reset(int connection) {
        const linger option{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &option, sizeof option);
    }

    // A port on which nothing listens.
    static int ClosedPort() {
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(probe);
        return ntohs(address.sin_port);
    }

private:
    void Serve() {
        std::vector<std::thread> connections;
        while (!stop_) {
            pollfd state{listener_, POLLIN, 0};
            if (::poll(&state, 1, 20) <= 0) {
                continue;
            }
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) {
                continue;
            }
            ++accepted_;
            connections.emplace_back([this, connection] {
                handler_(connection, *this);
                ::close(connection);
            });
        }
        for (std::thread& connection : connections) {
            connection.join();
        }
    }

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

} // namespace rimo::test

namespace rimo::test {

// A listener whose queue is full: further connection attempts get no answer
// at all, so a connect waits until the client's time-out.
class FullListener {
public:
    FullListener() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 0);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    ~FullListener() {
        ::close(filler_);
        ::close(listener_);
    }
    FullListener(const FullListener&) = delete;
    FullListener& operator=(const FullListener&) = delete;
    int Port() const { return port_; }

private:
    int listener_ = -1;
    int filler_ = -1;
    int port_ = 0;
};

} // namespace rimo::test
