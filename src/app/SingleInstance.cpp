#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace rimo {

namespace {

const QString kLockName = QStringLiteral("RimoTimeOneCopyMutex.lock");

// A folder only this user can write, made when missing: a lock in a folder
// that others can write could be taken or planted by them.
bool MakePrivateFolder(const QString& folder, QString* problem) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        *problem =
            QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0) {
        *problem =
            QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        *problem = QStringLiteral("%1 はこのユーザーのフォルダーではありません").arg(folder);
        return false;
    }
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0) {
        *problem =
            QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

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
    const QString reason = !lock_ ? folderProblem_
                           : lock_->error() == QLockFile::PermissionError
                               ? QStringLiteral("%1: 書き込めません").arg(path_)
                               : QStringLiteral("%1: 作れません").arg(path_);
    problem_ = QStringLiteral("二重起動を防ぐロックファイルを作れません。このまま動きますが、"
                              "二つ目の起動は防げません。\n%1")
                   .arg(reason);
    std::fprintf(stderr, "%s\n", problem_.toLocal8Bit().constData());
    return Result::NotCreated;
}

QString SingleInstance::DefaultLockPath(QString* problem) {
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir()) {
        return QDir(runtimeDir).filePath(kLockName);
    }
    // Qt gives no temporary folder when $TMPDIR names none.
    const QString temp = QDir::tempPath().isEmpty() ? QStringLiteral("/tmp") : QDir::tempPath();
    const QString folder =
        QDir(temp).filePath(QStringLiteral("RimoTimeInformation-%1").arg(::getuid()));
    QString reason;
    if (!MakePrivateFolder(folder, &reason)) {
        if (problem) {
            *problem = reason;
        }
        return {};
    }
    return QDir(folder).filePath(kLockName);
}

} // namespace rimo
