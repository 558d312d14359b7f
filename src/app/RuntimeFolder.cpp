#include "app/RuntimeFolder.h"

#include "core/OwnFolder.h"
#include "i18n/Translations.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace rimo {

namespace {

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
        *problem = Translations::Translate("rimo::RuntimeFolder",
                                           "%1 はこのユーザーのフォルダーではありません")
                       .arg(folder);
        return false;
    }
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0) {
        *problem =
            QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

// As Qt judges $XDG_RUNTIME_DIR: this user's, mode 0700. One that points
// elsewhere (a misconfiguration, /tmp) would let another user take the lock's
// name or swap the help page that is then opened.
bool IsOwnRuntimeFolder(const QString& folder) {
    const std::filesystem::path path = QFile::encodeName(folder).toStdString();
    return !folder.isEmpty() && IsPrivateFolder(path) && CheckOwnFolder(path);
}

} // namespace

QString PrivateRuntimeFolder(QString* problem) {
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsOwnRuntimeFolder(runtimeDir)) {
        return runtimeDir;
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
    return folder;
}

} // namespace rimo
