#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace rimo {

SingleInstance::SingleInstance() : SingleInstance(DefaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {}

bool SingleInstance::TryAcquire() { return lock_->tryLock(0); }

QString SingleInstance::DefaultLockPath() {
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir()) {
        return QDir(runtimeDir).filePath(QStringLiteral("RimoTimeOneCopyMutex.lock"));
    }
    // The temporary folder is shared by all users: the name carries the user.
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("RimoTimeOneCopyMutex-%1.lock").arg(::getuid()));
}

} // namespace rimo
