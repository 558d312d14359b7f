#pragma once

// Debian's chrony as a real NTP server that nobody here wrote: chronyd -x
// (never adjusts the clock, and runs without CAP_SYS_TIME besides) serving
// this machine's own clock at stratum 8 on port 123 of a loopback address of
// this process's own, so that test programs running side by side never meet.
// Needs root (port 123) and chronyd: an installed chrony, or the copy that
// scripts/setup.sh unpacks without installing it as a service.

#include "net/NtpPacket.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace rimo::test {

class ChronyServer {
public:
    // Where setup.sh unpacks Debian's chrony when it is not installed.
    static constexpr const char* kUnpacked = "/opt/rimotime-test/chrony/usr/sbin/chronyd";

    ChronyServer() {
        const std::string chronyd = Executable();
        if (chronyd.empty()) {
            why_ = "chronyd is missing (scripts/setup.sh unpacks Debian's chrony)";
            return;
        }
        if (::geteuid() != 0) {
            why_ = "chronyd needs root for port 123";
            return;
        }
        address_ = OwnAddress();
        const std::filesystem::path folder = folder_.path().toStdString();
        std::ofstream(folder / "chrony.conf")
            << "local stratum 8\n"
            << "allow 127.0.0.0/8\n"
            << "bindaddress " << address_ << "\n"
            << "port 123\n"
            << "cmdport 0\n"
            << "bindcmdaddress /\n" // no command socket either
            << "pidfile " << (folder / "chronyd.pid").string() << "\n"
            << "driftfile " << (folder / "chrony.drift").string() << "\n";
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral("setpriv"),
                       {QStringLiteral("--bounding-set=-sys_time"), QStringLiteral("--"),
                        QString::fromStdString(chronyd), QStringLiteral("-x"), QStringLiteral("-d"),
                        QStringLiteral("-u"), QStringLiteral("root"), QStringLiteral("-f"),
                        QString::fromStdString((folder / "chrony.conf").string())});
        if (!process_.waitForStarted(5000)) {
            why_ = "chronyd did not start";
            return;
        }
        for (int i = 0; i < 200 && process_.state() == QProcess::Running; ++i) {
            if (Answers()) {
                running_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        why_ =
            "chronyd does not answer on " + address_ + ":123: " + process_.readAll().toStdString();
    }
    ~ChronyServer() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished(2000);
            }
        }
    }
    ChronyServer(const ChronyServer&) = delete;
    ChronyServer& operator=(const ChronyServer&) = delete;

    bool Running() const { return running_; }
    // Why it is not running, for the skip message.
    const std::string& WhyNot() const { return why_; }
    const std::string& Address() const { return address_; }

    static std::string Executable() {
        for (const char* candidate : {"/usr/sbin/chronyd", kUnpacked}) {
            if (::access(candidate, X_OK) == 0) {
                return candidate;
            }
        }
        return {};
    }

private:
    // 127.a.b.c from this process's id: unique among running processes.
    static std::string OwnAddress() {
        const unsigned pid = static_cast<unsigned>(::getpid());
        return "127." + std::to_string(100 + (pid >> 15) % 100) + "." +
               std::to_string((pid >> 7) & 255) + "." + std::to_string((pid & 127) + 2);
    }

    // One plain request with a blocking socket: an answer of any kind will do.
    bool Answers() const {
        const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in server{};
        server.sin_family = AF_INET;
        server.sin_port = htons(123);
        ::inet_pton(AF_INET, address_.c_str(), &server.sin_addr);
        const std::string request = EncodeNtpPacket(NtpClientRequest(0x5A5A5A5A5A5A5A5A));
        ::sendto(handle, request.data(), request.size(), 0,
                 reinterpret_cast<const sockaddr*>(&server), sizeof server);
        pollfd state{handle, POLLIN, 0};
        char reply[128];
        const bool answered =
            ::poll(&state, 1, 200) == 1 && ::recv(handle, reply, sizeof reply, 0) >= 48;
        ::close(handle);
        return answered;
    }

    QTemporaryDir folder_;
    QProcess process_;
    std::string address_;
    std::string why_;
    bool running_ = false;
};

} // namespace rimo::test
