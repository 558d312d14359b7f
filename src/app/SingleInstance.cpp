#include "app/SingleInstance.h"

#include "app/RuntimeFolder.h"
#include "i18n/Translations.h"

#include <QDir>

#include <cstdio>

#include <unistd.h>

namespace rimo {

namespace {

const QString kLockName = QStringLiteral("RimoTimeOneCopyMutex.lock");

} // namespace

SingleInstance::SingleInstance() {
    path_ = DefaultLockPath(&folderProblem_);
    if (!path_.isEmpty()) {
        lock_ = std::make_unique<QLockFile>(path_);
    }
}

SingleInstance::SingleInstance(const QString& lockPath)
    : path_(lockPath), lock_(std::make_unique<QLockFile>(lockPath)) {}

SingleInstance::Result SingleInstance::TryAcquire() {
    if (lock_ && lock_->tryLock(0)) {
        problem_.clear();
        return Result::Acquired;
    }
    if (lock_ && lock_->error() == QLockFile::LockFailedError) {
        return Result::HeldByAnotherCopy;
    }
    const QString reason =
        !lock_ ? folderProblem_
        : lock_->error() == QLockFile::PermissionError
            ? Translations::Translate("rimo::SingleInstance", "%1: 書き込めません").arg(path_)
            : Translations::Translate("rimo::SingleInstance", "%1: 作れません").arg(path_);
    problem_ =
        Translations::Translate("rimo::SingleInstance",
                                "二重起動を防ぐロックファイルを作れません。このまま動きますが、"
                                "二つ目の起動は防げません。\n%1")
            .arg(reason);
    std::fprintf(stderr, "%s\n", problem_.toLocal8Bit().constData());
    return Result::NotCreated;
}

QString SingleInstance::DefaultLockPath(QString* problem) {
    const QString folder = PrivateRuntimeFolder(problem);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(kLockName);
}

} // namespace rimo
