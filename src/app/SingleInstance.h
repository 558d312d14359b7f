#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace rimo {

// One running copy per user: a lock file "RimoTimeOneCopyMutex.lock" in
// $XDG_RUNTIME_DIR (else in the temporary folder, named per user). The lock
// of a process that was killed is taken over.
class SingleInstance {
public:
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    // True when this process now holds the lock (held until destruction).
    bool TryAcquire();

    static QString DefaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace rimo
