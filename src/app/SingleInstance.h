#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace rimo {

// One running copy per user: a lock file "RimoTimeOneCopyMutex.lock" in
// $XDG_RUNTIME_DIR, else in a folder of this user's own (mode 0700) in the
// temporary folder, never in a folder other users can write. The lock of a
// process that was killed is taken over.
class SingleInstance {
public:
    enum class Result {
        Acquired,          // this process holds the lock until destruction
        HeldByAnotherCopy, // a running copy holds it: this start ends
        NotCreated,        // no lock could be made (Problem() says why): run without
    };

    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    Result TryAcquire();
    // After NotCreated: what the user is told (also written to standard error).
    const QString& Problem() const { return problem_; }

    // The lock's path; empty, with the reason in `problem`, when the user's
    // own folder for it cannot be had.
    static QString DefaultLockPath(QString* problem = nullptr);

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    QString folderProblem_; // why there is no lock path
    QString problem_;
};

} // namespace rimo
