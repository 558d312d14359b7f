#pragma once

#include <QObject>
#include <QString>

#include <sys/types.h>

#include <string>
#include <unordered_map>
#include <vector>

class QSocketNotifier;

namespace rimo {

// How a started child ended: its exit code, or the signal that ended it.
struct ChildExit {
    pid_t Pid = 0;
    int ExitCode = 0;  // when Signal is 0
    int Signal = 0;    // the signal that ended it, or 0
    bool Known = true; // false: reaped by someone else, how it ended is not known
};

// Starts programs with posix_spawn (the kernel's vfork path, no copy of this
// process's memory), never through a shell, and reaps each of them when it
// ends without blocking: a pidfd per child watched by the event loop. Only
// the children started here are waited for, so QProcess and others keep
// their own.
class ChildProcesses final : public QObject {
    Q_OBJECT
public:
    explicit ChildProcesses(QObject* parent = nullptr);
    ~ChildProcesses() override;

    struct Started {
        pid_t Pid = 0;     // 0 when it could not start
        std::string Error; // why it could not (strerror of the spawn)
    };
    // `path` runs with `arguments` in `folder` (this process's when empty),
    // standard input from /dev/null, default signal handling and an empty
    // signal mask. The start fails when the program cannot be executed.
    Started Start(const std::string& path, const std::vector<std::string>& arguments,
                  const std::string& folder);

    // Children started and not yet reaped.
    std::size_t Running() const { return watched_.size(); }

Q_SIGNALS:
    // A child began running (emitted within Start, so a caller of a starter
    // that spawns here learns the pid of what it started).
    void Spawned(qint64 pid, const QString& path);
    void Exited(const rimo::ChildExit& exit);

private:
    void Watch(pid_t pid);
    void Reap(pid_t pid);

    struct Watched {
        int PidFd = -1;
        QSocketNotifier* Notifier = nullptr;
    };
    std::unordered_map<pid_t, Watched> watched_;
};

} // namespace rimo
