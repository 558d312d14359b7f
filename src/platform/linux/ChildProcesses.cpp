#include "platform/linux/ChildProcesses.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ; // NOLINT: the C library's

namespace rimo {

namespace {

int PidFdOpen(pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

// posix_spawn's attributes and file actions, released on every path.
struct SpawnSetup {
    posix_spawnattr_t Attributes{};
    posix_spawn_file_actions_t Actions{};
    SpawnSetup() {
        posix_spawnattr_init(&Attributes);
        posix_spawn_file_actions_init(&Actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

} // namespace

ChildProcesses::ChildProcesses(QObject* parent) : QObject(parent) {}

ChildProcesses::~ChildProcesses() {
    // Children run on; they are reaped by whoever inherits them.
    for (auto& [pid, watched] : watched_) {
        delete watched.Notifier;
        if (watched.PidFd >= 0) {
            close(watched.PidFd);
        }
    }
}

ChildProcesses::Started ChildProcesses::Start(const std::string& path,
                                              const std::vector<std::string>& arguments,
                                              const std::string& folder) {
    SpawnSetup setup;
    // The child starts clean: no signal blocked, none ignored (this process
    // ignores SIGPIPE, which a program does not expect).
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&setup.Attributes, &none);
    posix_spawnattr_setsigdefault(&setup.Attributes, &all);
    // In a session of its own, the program runs on when this one's terminal
    // hangs up or gets Ctrl+C.
    posix_spawnattr_setflags(&setup.Attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_addopen(&setup.Actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&setup.Actions, folder.c_str());
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    // glibc reports a failed chdir or exec here (the child tells before it ends).
    const int error =
        posix_spawn(&pid, path.c_str(), &setup.Actions, &setup.Attributes, argv.data(), environ);
    if (error != 0) {
        return {0, std::strerror(error)};
    }
    // The new program is queued on this CPU behind the rest of the tick (the
    // pass, the grid) unless this thread lets it run first: without this a
    // due program began milliseconds after its call in a large schedule.
    sched_yield();
    Watch(pid);
    Q_EMIT Spawned(pid, QString::fromStdString(path));
    return {pid, {}};
}

void ChildProcesses::Watch(pid_t pid) {
    Watched watched;
    watched.PidFd = PidFdOpen(pid);
    if (watched.PidFd >= 0) {
        fcntl(watched.PidFd, F_SETFD, FD_CLOEXEC);
        watched.Notifier = new QSocketNotifier(watched.PidFd, QSocketNotifier::Read, this);
        connect(watched.Notifier, &QSocketNotifier::activated, this, [this, pid] { Reap(pid); });
        watched_.emplace(pid, watched);
        return;
    }
    // A kernel without pidfds (before 5.3): this child alone is polled.
    watched_.emplace(pid, watched);
    auto* poll = new QTimer(this);
    poll->setInterval(1000);
    connect(poll, &QTimer::timeout, this, [this, pid, poll] {
        if (watched_.count(pid) == 0) {
            poll->deleteLater();
            return;
        }
        Reap(pid);
    });
    poll->start();
}

void ChildProcesses::Reap(pid_t pid) {
    siginfo_t info{};
    bool known = true;
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG) != 0) {
        if (errno == EINTR) {
            return; // the notifier comes again
        }
        known = false; // reaped elsewhere: nothing more to learn
    } else if (info.si_pid == 0) {
        return; // not ended yet
    }
    const auto found = watched_.find(pid);
    if (found != watched_.end()) {
        if (found->second.Notifier) {
            found->second.Notifier->setEnabled(false);
            found->second.Notifier->deleteLater();
        }
        if (found->second.PidFd >= 0) {
            close(found->second.PidFd);
        }
        watched_.erase(found);
    }
    ChildExit exit;
    exit.Pid = pid;
    if (!known) {
        exit.Known = false;
    } else if (info.si_code == CLD_EXITED) {
        exit.ExitCode = info.si_status;
    } else {
        exit.Signal = info.si_status;
    }
    Q_EMIT Exited(exit);
}

} // namespace rimo
