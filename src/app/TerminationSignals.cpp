#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace rimo {

namespace {

int signalPipe[2] = {-1, -1};
constexpr int kHandled[] = {SIGTERM, SIGINT, SIGHUP};

// Only async-signal-safe work here: hand the number to the event loop.
void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

void TerminationSignals::Install() {
    if (signalPipe[0] >= 0) {
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    ::fcntl(signalPipe[0], F_SETFL, O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kHandled) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    Install();
    if (signalPipe[1] < 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadSignal);
}

TerminationSignals::~TerminationSignals() {
    for (int signalNumber : kHandled) {
        ::signal(signalNumber, SIG_DFL);
    }
    if (signalPipe[0] >= 0) {
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void TerminationSignals::ReadSignal() {
    unsigned char byte = 0;
    if (::read(signalPipe[1], &byte, 1) == 1) {
        Q_EMIT Received(byte);
    }
}

} // namespace rimo
